#include "model/labelformat.h"
#include "storage/document.h"
#include "storage/inifile.h"
#include "storage/recentfiles.h"
#include "storage/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs `run` in a child process that then ends without any clean-up, as a
// crash would.
void InDyingProcess(const std::function<void()> &run)
{
    const pid_t child = fork();
    if (child == 0) {
        run();
        _exit(0);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
}

struct LeftOverCase {
    const char *what;
    bool ownerAlive; // the writer is still running
    bool cleanEnd;   // the writer saved or ended cleanly
    bool offered;
};

} // namespace

TEST(RecoveryStore, OffersOnlyFilesOfRunsThatDidNotEnd)
{
    const LeftOverCase cases[] = {
        {"a run killed with changes", false, false, true},
        {"a program still running", true, false, false},
        {"a run that ended cleanly", false, true, false},
    };
    for (const LeftOverCase &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        TItemContainer items;
        auto *text = new TTextLabel;
        text->Text = QStringLiteral("未保存");
        items.AddItem(text);
        const QString label = dir.filePath(QStringLiteral("标签.lbl"));
        auto write = [&](TRecoveryStore &store) {
            ASSERT_TRUE(store.Write(items, label, QString()));
            ASSERT_TRUE(QFile::exists(store.FilePath()));
            if (c.cleanEnd)
                store.Remove();
        };
        std::unique_ptr<TRecoveryStore> running;
        if (c.ownerAlive) {
            running = std::make_unique<TRecoveryStore>(dir.path());
            write(*running);
        } else {
            InDyingProcess([&] {
                TRecoveryStore store(dir.path(), getpid());
                write(store);
            });
        }

        // The next start has another number.
        TRecoveryStore next(dir.path(), QCoreApplication::applicationPid() + 100000);
        const QList<TLeftRecovery> left = next.FindLeftOver();
        ASSERT_EQ(left.size(), c.offered ? 1 : 0);
        if (!c.offered)
            continue;
        EXPECT_EQ(left[0].LabelFile, label);
        EXPECT_TRUE(left[0].TemplateFile.isEmpty());
        // Claimed: a third program starting meanwhile does not offer it again.
        EXPECT_TRUE(TRecoveryStore(dir.path(), 1).FindLeftOver().isEmpty());

        // It is a label file.
        TItemContainer restored;
        TLabelDocument doc(restored);
        ASSERT_TRUE(doc.LoadLabelFile(left[0].RecoveryFile));
        ASSERT_EQ(restored.Items.size(), 1);
        EXPECT_EQ(restored.Items[0]->GetText(), QStringLiteral("未保存"));

        next.Release(left[0]);
        TRecoveryStore later(dir.path(), 2);
        const QList<TLeftRecovery> again = later.FindLeftOver();
        ASSERT_EQ(again.size(), 1);
        later.Discard(again[0]);
        EXPECT_FALSE(QFile::exists(again[0].RecoveryFile));
        EXPECT_TRUE(TRecoveryStore(dir.path(), 3).FindLeftOver().isEmpty());
    }
}

TEST(RecoveryStore, PrivateFilesAndUnreadableCopiesSetAsideOnce)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("quorvane"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7755)); // as an older run left it
    TItemContainer items;
    items.AddItem(new TTextLabel);
    InDyingProcess([&] {
        TRecoveryStore store(folder, getpid());
        ASSERT_TRUE(store.Write(items, QString(), QString()));
    });
    const QString kept = QDir(folder).entryList({QStringLiteral("recovery-*.qvl")}).value(0);
    ASSERT_FALSE(kept.isEmpty());
    const auto mode = [](const QString &path) { return QFileInfo(path).permissions() & QFileDevice::Permissions(0x7777); };
    EXPECT_EQ(mode(folder), QFileDevice::Permissions(0x7700));
    EXPECT_EQ(mode(QDir(folder).filePath(kept)), QFileDevice::Permissions(0x6600));

    const auto path = [&](int n) { return QDir(folder).filePath(QStringLiteral("recovery-%1.qvl").arg(n)); };
    const auto write = [](const QString &file, const QByteArray &bytes) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    ASSERT_TRUE(write(path(11), QByteArray("\x00\xff garbage \x01", 13)));
    ASSERT_TRUE(QDir().mkdir(path(12)));
    ASSERT_TRUE(write(path(13), "[FORMAT]\r\nCONTROLS=2147483647\r\n[CNT_2147483647]\r\nTYPE=TEXT\r\n"));
    ASSERT_TRUE(write(path(14), "[FORMAT]\r\n"));
    ASSERT_TRUE(QFile::resize(path(14), kIniMaxReadBytes + 1)); // sparse
    ASSERT_TRUE(write(path(15), "[FORMAT]\r\nCONTROLS=0\r\n"));
    QFile::setPermissions(path(15), {}); // root reads it anyway, and it is then a good copy
    const bool rootReads = QFile(path(15)).open(QIODevice::ReadOnly);

    TRecoveryStore next(folder, QCoreApplication::applicationPid() + 100000);
    const QList<TLeftRecovery> left = next.FindLeftOver();
    QStringList offered;
    for (const TLeftRecovery &l : left)
        offered << QFileInfo(l.RecoveryFile).fileName();
    offered.sort();
    QStringList wantOffered{kept};
    if (rootReads)
        wantOffered << QStringLiteral("recovery-15.qvl");
    wantOffered.sort();
    EXPECT_EQ(offered, wantOffered);
    QStringList setAside;
    for (const auto &[from, to] : next.TakeSetAside()) {
        EXPECT_EQ(to, from + QStringLiteral(".unreadable"));
        EXPECT_TRUE(QFileInfo::exists(to) && !QFileInfo::exists(from)) << to.toStdString();
        setAside << QFileInfo(from).fileName();
    }
    setAside.sort();
    QStringList want = {QStringLiteral("recovery-11.qvl"), QStringLiteral("recovery-12.qvl"),
                        QStringLiteral("recovery-13.qvl"), QStringLiteral("recovery-14.qvl")};
    if (!rootReads)
        want << QStringLiteral("recovery-15.qvl");
    EXPECT_EQ(setAside, want);
    EXPECT_TRUE(next.TakeSetAside().isEmpty()); // told once

    // Not again at the next start.
    for (const TLeftRecovery &l : left)
        next.Release(l);
    TRecoveryStore later(folder, QCoreApplication::applicationPid() + 100001);
    EXPECT_EQ(later.FindLeftOver().size(), left.size());
    EXPECT_TRUE(later.TakeSetAside().isEmpty());
}

TEST(RecoveryStore, WritesOnEveryFifthChange)
{
    TRecoveryStore store(QDir::tempPath());
    QList<bool> due;
    for (int i = 0; i < 6; ++i)
        due << store.CountChange();
    EXPECT_EQ(due, (QList<bool>{false, false, false, false, true, true}));
    store.Remove();
    EXPECT_FALSE(store.Pending());
    EXPECT_FALSE(store.CountChange());
    EXPECT_TRUE(store.Pending());
}

TEST(RecoveryStore, FolderFollowsXdgStateHome)
{
    const QByteArray saved = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", "/var/tmp/state");
    EXPECT_EQ(RecoveryFolder(), QStringLiteral("/var/tmp/state/quorvane"));
    qputenv("XDG_STATE_HOME", "relative");
    EXPECT_EQ(RecoveryFolder(), QDir::homePath() + QStringLiteral("/.local/state/quorvane"));
    qputenv("XDG_STATE_HOME", saved);
}

TEST(RecentFiles, NewestFirstOnceEachAtMostEight)
{
    auto names = [](std::initializer_list<int> n) {
        QStringList out;
        for (int i : n)
            out << QStringLiteral("/l/%1.lbl").arg(i);
        return out;
    };
    struct Case {
        const char *what;
        QStringList before;
        QString file;
        bool remove;
        QStringList after;
    } cases[] = {
        {"first", {}, "/l/1.lbl", false, names({1})},
        {"newest first", names({1, 2}), "/l/3.lbl", false, names({3, 1, 2})},
        {"again moves to the front", names({1, 2, 3}), "/l/3.lbl", false, names({3, 1, 2})},
        {"same file by another path", names({1, 2}), "/l/x/../2.lbl", false, names({2, 1})},
        {"the ninth drops the oldest", names({1, 2, 3, 4, 5, 6, 7, 8}), "/l/9.lbl", false,
         names({9, 1, 2, 3, 4, 5, 6, 7})},
        {"a missing file removed", names({1, 2, 3}), "/l/2.lbl", true, names({1, 3})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.remove ? RemoveRecentFile(c.before, c.file) : AddRecentFile(c.before, c.file), c.after);
    }

    QTemporaryDir dir;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_TRUE(LoadRecentFiles().isEmpty());
    ASSERT_TRUE(SaveRecentFiles(names({3, 1, 2})));
    EXPECT_EQ(LoadRecentFiles(), names({3, 1, 2}));
    ASSERT_TRUE(SaveRecentFiles(names({1})));
    EXPECT_EQ(LoadRecentFiles(), names({1}));
    qputenv("XDG_CONFIG_HOME", saved);
}
