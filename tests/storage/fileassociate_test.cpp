#include "model/labelformat.h"
#include "storage/fileassociate.h"
#include "storage/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "storage_testutil.h"

namespace {

class FileAssociateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        savedData_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8());
    }
    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", savedConfig_);
        qputenv("XDG_DATA_HOME", savedData_);
    }

    // Runs the check at start on settings_; `answers` are given in turn, the
    // questions kept.
    QStringList Check(const QString &app, QList<bool> answers)
    {
        QStringList asked;
        QString error;
        EXPECT_TRUE(CheckFileAssociations(app, settings_, [&](const QString &q) {
            asked << q;
            return answers.isEmpty() ? false : answers.takeFirst();
        }, &error)) << error.toStdString();
        return asked;
    }

    QTemporaryDir dir_;
    QByteArray savedConfig_, savedData_;
    TSettings settings_;
};

} // namespace

TEST(FileAssociateNames, AddDotAndRemoveDot)
{
    const struct {
        const char *in, *withDot;
    } cases[] = {{"lbl", ".lbl"}, {".lbf", ".lbf"}, {"label.lbl", ".lbl"}, {"a.b.lbl", ".b.lbl"}, {"", "."}};
    for (const auto &c : cases)
        EXPECT_EQ(TFileAssociate::AddDot(c.in), c.withDot) << c.in;
    EXPECT_EQ(TFileAssociate::RemoveDot(".lbl"), "lbl");
    EXPECT_EQ(TFileAssociate::RemoveDot("lbl"), "lbl");
    EXPECT_EQ(ProgramFolder("/opt/q/bin/quorvane"), "/opt/q/bin/");
    EXPECT_EQ(ShellCommandFor(R"(/opt/my "q"/50%/quorvane)"), R"("/opt/my \"q\"/50%%/quorvane" %f)");
    auto fa = CreateFileAssociate("/x/quorvane");
    EXPECT_EQ(fa->MimeTypeFor("LBL"), "application/x-quorvane-label");
    EXPECT_EQ(fa->MimeTypeFor("a.lbf"), "application/x-quorvane-template");
    EXPECT_EQ(fa->MimeTypeFor(".txt"), "application/x-quorvane-txt");
}

TEST_F(FileAssociateTest, FirstStartAsksOnceAndMovingTheProgramAsksAgain)
{
    const QString app = dir_.filePath("bin one/quorvane");
    EXPECT_EQ(Check(app, {true}), QStringList{kAssociateQuestion});
    EXPECT_EQ(settings_.Path, dir_.filePath("bin one/"));
    auto fa = CreateFileAssociate(app);
    EXPECT_TRUE(fa->IsRegistered());
    EXPECT_EQ(fa->AssociatedExtensions(), QStringList({".lbl", ".lbf"}));
    const QByteArray entry = ReadAll(fa->DesktopFilePath());
    EXPECT_TRUE(entry.contains("Exec=\"" + app.toUtf8() + "\" %f\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("MimeType=application/x-quorvane-label;application/x-quorvane-template;\n"));
    const QByteArray apps = ReadAll(TFileAssociate::MimeAppsListPath());
    EXPECT_TRUE(apps.contains("application/x-quorvane-label=quorvane.desktop;"));
    // The desktop's own tools saw the package (when they are installed).
    if (QFileInfo::exists("/usr/bin/update-mime-database")) {
        EXPECT_TRUE(QFileInfo::exists(dir_.filePath("data/mime/application/x-quorvane-template.xml")));
    }

    EXPECT_TRUE(Check(app, {}).isEmpty()); // the next start asks nothing

    const QString moved = dir_.filePath("other/quorvane");
    EXPECT_EQ(Check(moved, {false}), QStringList{kRelocatedQuestion});
    EXPECT_EQ(settings_.Path, dir_.filePath("bin one/"));
    EXPECT_TRUE(Check(moved, {}).isEmpty()); // No holds while the program stays there
    settings_.DeclinedPath.clear(); // as if it had been elsewhere meanwhile
    EXPECT_EQ(Check(moved, {true}), QStringList{kRelocatedQuestion});
    EXPECT_EQ(settings_.Path, dir_.filePath("other/"));
    EXPECT_TRUE(settings_.DeclinedPath.isEmpty());
    EXPECT_TRUE(ReadAll(fa->DesktopFilePath()).contains("Exec=\"" + moved.toUtf8() + "\" %f\n"));
    EXPECT_TRUE(Check(moved, {}).isEmpty());

    // Another program of another name does not count as bound.
    auto stranger = CreateFileAssociate(dir_.filePath("bin/labeller"));
    EXPECT_TRUE(stranger->AssociatedExtensions().isEmpty());
}

TEST_F(FileAssociateTest, OneQuestionAStartAndNoHoldsUntilTheProgramMoves)
{
    const QString app = dir_.filePath("bin/quorvane");
    EXPECT_EQ(Check(app, {false, false}), QStringList{kAssociateQuestion});
    EXPECT_TRUE(settings_.Path.isEmpty());
    EXPECT_EQ(settings_.DeclinedPath, dir_.filePath("bin/"));
    EXPECT_TRUE(CreateFileAssociate(app)->IsRegistered()); // the class is made anyway
    EXPECT_TRUE(CreateFileAssociate(app)->AssociatedExtensions().isEmpty());
    // The refusal outlives the run, even one that does not end cleanly.
    settings_ = LoadSettings();
    EXPECT_EQ(settings_.DeclinedPath, dir_.filePath("bin/"));
    EXPECT_TRUE(Check(app, {}).isEmpty());
    EXPECT_TRUE(Check(app, {}).isEmpty());
    // Moved elsewhere, the program asks again, once.
    const QString moved = dir_.filePath("elsewhere/quorvane");
    EXPECT_EQ(Check(moved, {true, true}), QStringList{kAssociateQuestion});
    EXPECT_EQ(settings_.Path, dir_.filePath("elsewhere/"));
    EXPECT_TRUE(settings_.DeclinedPath.isEmpty());
}

TEST_F(FileAssociateTest, OtherAssociationsOfTheUserAreKept)
{
    QDir().mkpath(dir_.filePath("config"));
    WriteAll(TFileAssociate::MimeAppsListPath(), "# mine\n[Default Applications]\ntext/plain=editor.desktop;\n"
                                                 "application/x-quorvane-label=other.desktop;\n\n"
                                                 "[Removed Associations]\nimage/png=viewer.desktop;\n");
    auto fa = CreateFileAssociate(dir_.filePath("bin/quorvane"));
    fa->RunUpdateTools = false;
    QString error;
    ASSERT_TRUE(fa->Associate("lbl", &error)) << error.toStdString();
    EXPECT_EQ(ReadAll(TFileAssociate::MimeAppsListPath()),
              QByteArray("# mine\n[Default Applications]\ntext/plain=editor.desktop;\n"
                         "application/x-quorvane-label=quorvane.desktop;\n\n"
                         "[Removed Associations]\nimage/png=viewer.desktop;\n\n"
                         "[Added Associations]\napplication/x-quorvane-label=quorvane.desktop;other.desktop;\n"));
    EXPECT_EQ(fa->AssociatedExtensions(), QStringList{".lbl"});
}

TEST_F(FileAssociateTest, AFailedWriteNamesTheFile)
{
    WriteAll(dir_.filePath("data"), "not a folder");
    auto fa = CreateFileAssociate(dir_.filePath("bin/quorvane"));
    QString error;
    EXPECT_FALSE(fa->RegisterFileType(&error));
    EXPECT_EQ(error, QStringLiteral("无法设置数据于 '%1'").arg(fa->DesktopFilePath()));
    EXPECT_FALSE(fa->Associate(".lbl", &error));
    EXPECT_FALSE(CheckFileAssociations(dir_.filePath("bin/quorvane"), settings_, [](const QString &) { return true; },
                                       &error));
}
