// The labels last opened or saved in the file menu, and the copy of a
// modified label that survives a crash.

#include "app/fmain.h"

#include "app/ask.h"
#include "canvas/canvaslabel.h"
#include "app/messages.h"
#include "storage/document.h"
#include "storage/fileguard.h"
#include "storage/recentfiles.h"
#include "storage/recovery.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

namespace {
// Time between two writes of a label that keeps changing slowly.
constexpr int kRecoveryIntervalMs = 60 * 1000;
} // namespace

// ---------------------------------------------------------------- recent files

void TFMain::RefreshRecentMenu()
{
    recentFiles_ = LoadRecentFiles();
    RecentFiles1->clear();
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString file = recentFiles_[i];
        QString shown = QDir::toNativeSeparators(file);
        shown.replace(u'&', QStringLiteral("&&"));
        auto *a = RecentFiles1->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        a->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, file] { OpenRecentFile(file); });
    }
    RecentFiles1->setEnabled(!recentFiles_.isEmpty());
}

void TFMain::NoteRecentFile(const QString &fileName)
{
    // Read again: another window may have added its own since.
    QString error;
    if (!SaveRecentFiles(AddRecentFile(LoadRecentFiles(), fileName), &error))
        ShowMessage(error);
    RefreshRecentMenu();
}

void TFMain::OpenRecentFile(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        SaveRecentFiles(RemoveRecentFile(LoadRecentFiles(), fileName));
        RefreshRecentMenu();
        ShowMessage(tr("找不到文件 “%1”，已将它从最近的文件中删除。").arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    if (!QuerySave())
        return;
    LoadLabelFile(fileName);
}

// ---------------------------------------------------------------- crash copy

void TFMain::StartRecovery()
{
    Recovery = std::make_unique<TRecoveryStore>();
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(kRecoveryIntervalMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] {
        if (Document->LabelModified && Recovery->Pending())
            WriteRecovery();
    });
    recoveryTimer_->start();
}

void TFMain::DocumentStateChanged()
{
    if (!Recovery)
        return;
    // Saved, new, or loaded over: nothing unsaved is left.
    if (!Document->LabelModified)
        Recovery->Remove();
    else if (Recovery->CountChange())
        WriteRecovery();
}

void TFMain::WriteRecovery()
{
    QString error;
    const bool ok = Recovery->Write(*Surface, Document->CurrentLabelFile, Document->CurrentTemplateFile, &error);
    if (!ok && !recoveryWarned_) {
        // Once a run: the copy is written every few changes, and a box each
        // time would stop the work; but the person must know it is unguarded.
        recoveryWarned_ = true;
        ShowMessage(error);
    } else if (!ok) {
        qWarning("%s", qPrintable(error));
    }
}

void TFMain::ReportSetAsideRecovery()
{
    QStringList lines;
    for (const auto &[from, to] : Recovery->TakeSetAside())
        lines << (to.isEmpty() ? tr("无法读取恢复副本 %1，也无法将它改名。").arg(QDir::toNativeSeparators(from))
                               : tr("无法读取恢复副本 %1，已将它改名为 %2。")
                                     .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
    if (!lines.isEmpty())
        ShowMessage(lines.join(u'\n'));
}

void TFMain::OfferRecovery()
{
    bool restored = false;
    const QList<TLeftRecovery> found = Recovery->FindLeftOver();
    ReportSetAsideRecovery();
    for (const TLeftRecovery &left : found) {
        // One label at a time; the others wait for the next start.
        if (restored) {
            Recovery->Release(left);
            continue;
        }
        const QString name = left.LabelFile.isEmpty() ? tr("未命名") : QFileInfo(left.LabelFile).fileName();
        const QString question = tr("上次运行未正常结束。是否恢复未保存的标签 “%1”？").arg(name);
        if (TAsk::Current().Question(this, question, false) == TAsk::Yes)
            restored = RestoreRecovery(left);
        else
            Recovery->Discard(left);
    }
}

bool TFMain::RestoreRecovery(const TLeftRecovery &left)
{
    if (!QuerySave()) {
        Recovery->Release(left);
        return false;
    }
    QString error;
    QStringList warnings;
    const bool loaded = Document->LoadLabelFile(left.RecoveryFile, &error, &warnings);
    ShowMessages(warnings);
    if (!loaded) {
        if (!error.isEmpty())
            ShowMessage(error);
        // Not offered again at every start, and not deleted either.
        Recovery->SetAside(left.RecoveryFile);
        ReportSetAsideRecovery();
        return false;
    }
    // The label is what it was before the crash: under its own names, with
    // its changes still unsaved.
    Document->CurrentLabelFile = left.LabelFile;
    Document->CurrentTemplateFile = left.TemplateFile;
    FileGuard->Open(left.LabelFile);
    AfterDocumentLoad();
    Document->SetLabelModified(true);
    // This program's copy exists before the old one goes.
    WriteRecovery();
    Recovery->Discard(left);
    return true;
}
