#include "server/folderwatch.h"

#include "data/dataimport.h"
#include "data/sourcechoice.h"
#include "printing/jobrequest.h"
#include "server/service.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

// A writer gets this long without a change before its file counts as
// complete; a file renamed in whole is older than this when first seen.
constexpr qint64 kQuietMs = 2000;

const QStringList kDataSuffixes = {QStringLiteral("csv"), QStringLiteral("tsv"), QStringLiteral("txt"),
                                   QStringLiteral("xlsx"), QStringLiteral("ods")};

bool ignored(const QString &name)
{
    return name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1String(".part"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".tmp"), Qt::CaseInsensitive);
}

bool taken(const QString &name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("json") || kDataSuffixes.contains(suffix);
}

void log(const QString &text)
{
    std::fprintf(stderr, "quorvane-server: %s\n", text.toLocal8Bit().constData());
}

} // namespace

bool ParseWatchedFolder(const QString &text, TWatchedFolder *out, QString *error)
{
    const qsizetype eq = text.lastIndexOf(QLatin1Char('='));
    TWatchedFolder f;
    bool printerNamed = false;
    if (eq > 0) {
        f.Dir = text.left(eq);
        const QString rest = text.mid(eq + 1);
        const qsizetype at = rest.indexOf(QLatin1Char('@'));
        f.Label = at < 0 ? rest : rest.left(at);
        f.Printer = at < 0 ? QString() : rest.mid(at + 1);
        printerNamed = at >= 0;
    }
    if (f.Dir.isEmpty() || !SafeLabelName(f.Label) || (printerNamed && f.Printer.isEmpty())) {
        *error = QCoreApplication::translate("Service", "--watch takes DIR=LABEL.lbl or DIR=LABEL.lbl@PRINTER: %1").arg(text);
        return false;
    }
    if (!QFileInfo(f.Dir).isDir()) {
        *error = QCoreApplication::translate("Service", "no such folder: %1").arg(f.Dir);
        return false;
    }
    *out = f;
    return true;
}

bool WatchedFileBody(const TWatchedFolder &folder, const QString &fileName, QByteArray *body, QString *error)
{
    const QFileInfo info(fileName);
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("json")) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QCoreApplication::translate("Service", "Cannot read %1.").arg(info.fileName());
            return false;
        }
        *body = file.readAll();
        // Whatever is not an object is left for the checks to refuse, as POST would.
        QJsonObject o = QJsonDocument::fromJson(*body).object();
        if (o.isEmpty())
            return true;
        if (!o.contains(QStringLiteral("label")))
            o.insert(QStringLiteral("label"), folder.Label);
        if (!o.contains(QStringLiteral("printer")) && !folder.Printer.isEmpty())
            o.insert(QStringLiteral("printer"), folder.Printer);
        *body = QJsonDocument(o).toJson(QJsonDocument::Compact);
        return true;
    }
    if (!kDataSuffixes.contains(suffix))
        return false;
    TSourceChoice choice;
    choice.Name = fileName;
    choice.Split.IgnoreHeader = true;
    choice.Split.Mode = TSplitMode::Tab;
    SplitModeForFile(fileName, choice.Split.Mode);
    const std::unique_ptr<TRecordSource> source = OpenRecordSource(choice, error);
    if (!source)
        return false;
    const QStringList columns = source->ColumnNames();
    QJsonArray records;
    // One past the limit is enough for the checks to refuse the file.
    const qsizetype most = TRequestLimits().MaxRecords + 1;
    for (; source->HasRecord() && records.size() < most; source->ReadRecord()) {
        const TDataRow &row = source->DataRow();
        QJsonObject record;
        for (qsizetype c = 0; c < columns.size(); ++c)
            if (!columns[c].isEmpty())
                record.insert(columns[c], row.value(c));
        records.append(record);
        if (source->DataEof())
            break;
    }
    if (source->Failed()) {
        *error = source->ErrorString();
        return false;
    }
    QJsonObject o{{QStringLiteral("label"), folder.Label},
                  {QStringLiteral("title"), info.fileName()},
                  {QStringLiteral("records"), records}};
    if (!folder.Printer.isEmpty())
        o.insert(QStringLiteral("printer"), folder.Printer);
    *body = QJsonDocument(o).toJson(QJsonDocument::Compact);
    return true;
}

TFolderWatcher::TFolderWatcher(TWatchedFolder folder, TJobService *service) : Folder(std::move(folder)), Service(service)
{
}

bool TFolderWatcher::Start(QString *error)
{
    QDir dir(Folder.Dir);
    for (const char *sub : {"done", "failed"}) {
        if (!dir.mkpath(QLatin1String(sub))) {
            *error = QCoreApplication::translate("Service", "Cannot make the folder %1.").arg(dir.filePath(QLatin1String(sub)));
            return false;
        }
    }
    // The watcher only hastens a scan; the timer alone would find every file,
    // also on file systems that report no changes.
    Watcher.addPath(Folder.Dir);
    QObject::connect(&Watcher, &QFileSystemWatcher::directoryChanged, &Timer, [this] { Scan(); });
    QObject::connect(&Timer, &QTimer::timeout, &Timer, [this] { Scan(); });
    Timer.start(1000);
    Scan();
    return true;
}

void TFolderWatcher::Scan()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QHash<QString, TSeen> seen;
    const QFileInfoList files = QDir(Folder.Dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : files) {
        const QString name = info.fileName();
        if (ignored(name) || !taken(name))
            continue;
        if (Stuck.contains(QStringLiteral("%1\n%2\n%3").arg(name).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch())))
            continue;
        TSeen s = Seen.value(name);
        if (s.Size != info.size() || s.Modified != info.lastModified())
            s = {info.size(), info.lastModified(), now};
        // Unchanged for a while by our clock, or last written a while ago
        // (renamed in complete).
        if (now - s.Since >= kQuietMs || info.lastModified().msecsTo(QDateTime::currentDateTime()) >= kQuietMs)
            Take(name, s.Size, s.Modified);
        else
            seen.insert(name, s);
    }
    Seen = seen;
}

void TFolderWatcher::Take(const QString &name, qint64 size, const QDateTime &modified)
{
    const QString path = QDir(Folder.Dir).filePath(name);
    // The same file (name, size, time) gives the same key: taken again after
    // a crash before it was moved, it finds its first job.
    const QString identity = QStringLiteral("%1\n%2\n%3")
                                 .arg(QDir(QFileInfo(Folder.Dir).canonicalFilePath()).filePath(name))
                                 .arg(size)
                                 .arg(modified.toMSecsSinceEpoch());
    const QByteArray key = "watch:" + QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha256).toHex();
    QByteArray body;
    QString why;
    TServiceReply reply;
    if (WatchedFileBody(Folder, path, &body, &why)) {
        reply = Service->Accept(body, QString::fromLatin1(key));
    } else {
        reply.Status = 400;
        reply.Body = QJsonDocument(QJsonObject{{QStringLiteral("error"), why}}).toJson(QJsonDocument::Compact);
    }
    if (reply.Status >= 500) {
        // The store failed: the file stays to be tried again.
        log(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(reply.Body)));
        return;
    }
    const bool ok = reply.Status < 300;
    QString moved;
    if (!MoveTo(name, ok ? QStringLiteral("done") : QStringLiteral("failed"), &moved)) {
        log(QCoreApplication::translate("Service", "Cannot move %1 out of the watched folder.").arg(path));
        Stuck.insert(QStringLiteral("%1\n%2\n%3").arg(name).arg(size).arg(modified.toMSecsSinceEpoch()));
        return;
    }
    if (!ok) {
        QFile error(moved + QLatin1String(".error"));
        if (error.open(QIODevice::WriteOnly | QIODevice::Truncate))
            error.write(reply.Body + '\n');
    }
    log(QStringLiteral("%1 %2 %3").arg(path).arg(reply.Status).arg(QString::fromUtf8(reply.Body)));
}

bool TFolderWatcher::MoveTo(const QString &name, const QString &subDir, QString *movedName)
{
    const QDir dir(Folder.Dir);
    const QFileInfo info(name);
    // A name taken before in done/ or failed/ gets a number rather than
    // overwriting the earlier file.
    QString target = dir.filePath(subDir + QLatin1Char('/') + name);
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + QLatin1String(".error")); ++n)
        target = dir.filePath(QStringLiteral("%1/%2-%3.%4").arg(subDir, info.completeBaseName()).arg(n).arg(info.suffix()));
    *movedName = target;
    return QFile::rename(dir.filePath(name), target);
}
