#include "storage/fileassociate.h"

#include "model/labelformat.h"
#include "storage/safesave.h"
#include "storage/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

QString AssociateWriteErrorText(const QString &what)
{
    return QCoreApplication::translate("Storage", "无法设置数据于 '%1'").arg(what);
}

QString UserDataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

namespace {

// Key files (desktop entries, mimeapps.list) edited line by line, so that
// whatever else a file holds is kept as it was.
class TKeyFile {
public:
    bool Load(const QString &fileName)
    {
        lines_.clear();
        QFile f(fileName);
        if (!f.exists())
            return true;
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QString text = QString::fromUtf8(f.read(1024 * 1024));
        lines_ = text.split(u'\n');
        if (!lines_.isEmpty() && lines_.last().isEmpty())
            lines_.removeLast();
        return true;
    }

    bool Save(const QString &fileName) const
    {
        if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
            return false;
        return SaveWhole(fileName, (lines_.join(u'\n') + u'\n').toUtf8());
    }

    QString Value(const QString &section, const QString &key) const
    {
        const qsizetype i = Find(section, key);
        return i < 0 ? QString() : lines_[i].mid(lines_[i].indexOf(u'=') + 1).trimmed();
    }

    void SetValue(const QString &section, const QString &key, const QString &value)
    {
        const QString line = key + u'=' + value;
        const qsizetype i = Find(section, key);
        if (i >= 0) {
            lines_[i] = line;
            return;
        }
        qsizetype start = SectionStart(section);
        if (start < 0) {
            if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
                lines_ << QString();
            lines_ << u'[' + section + u']' << line;
            return;
        }
        // After the section's last key line (before trailing blank lines).
        qsizetype end = start + 1;
        qsizetype insertAt = end;
        for (; end < lines_.size() && !lines_[end].trimmed().startsWith(u'['); ++end)
            if (!lines_[end].trimmed().isEmpty())
                insertAt = end + 1;
        lines_.insert(insertAt, line);
    }

private:
    qsizetype SectionStart(const QString &section) const
    {
        for (qsizetype i = 0; i < lines_.size(); ++i)
            if (lines_[i].trimmed() == u'[' + section + u']')
                return i;
        return -1;
    }

    qsizetype Find(const QString &section, const QString &key) const
    {
        const qsizetype start = SectionStart(section);
        if (start < 0)
            return -1;
        for (qsizetype i = start + 1; i < lines_.size(); ++i) {
            const QString t = lines_[i].trimmed();
            if (t.startsWith(u'['))
                break;
            const qsizetype eq = t.indexOf(u'=');
            if (eq > 0 && t.left(eq).trimmed() == key)
                return i;
        }
        return -1;
    }

    QStringList lines_;
};

const QString kDesktopSection = QStringLiteral("Desktop Entry");
const QString kDefaultApps = QStringLiteral("Default Applications");
const QString kAddedAssociations = QStringLiteral("Added Associations");

QStringList SplitList(const QString &v)
{
    return v.split(u';', Qt::SkipEmptyParts);
}

QString JoinList(const QStringList &l)
{
    return l.isEmpty() ? QString() : l.join(u';') + u';';
}

// Desktop entry string escapes: "\\" for a backslash.
QString EscapeKeyValue(const QString &s)
{
    QString out;
    for (QChar c : s) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

QString UnescapeKeyValue(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar n = s[++i];
            out += n == u's' ? QChar(u' ') : n == u'n' ? QChar(u'\n') : n == u't' ? QChar(u'\t') : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The program of an Exec command (its first argument, unquoted).
QString ExecProgram(const QString &exec)
{
    const QString cmd = UnescapeKeyValue(exec).trimmed();
    QString out;
    if (cmd.startsWith(u'"')) {
        for (qsizetype i = 1; i < cmd.size(); ++i) {
            if (cmd[i] == u'\\' && i + 1 < cmd.size())
                out += cmd[++i];
            else if (cmd[i] == u'"')
                break;
            else
                out += cmd[i];
        }
        return out;
    }
    return cmd.section(u' ', 0, 0);
}

// MIME package: type -> globs, in file order.
using TMimeTypes = QList<QPair<QString, QStringList>>;

TMimeTypes ReadMimePackage(const QString &fileName)
{
    TMimeTypes types;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return types;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"mime-type")
            types.append(qMakePair(xml.attributes().value(QStringLiteral("type")).toString(), QStringList()));
        else if (xml.name() == u"glob" && !types.isEmpty())
            types.last().second << xml.attributes().value(QStringLiteral("pattern")).toString();
    }
    return types;
}

bool WriteMimePackage(const QString &fileName, const TMimeTypes &types, const QString &comment)
{
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        return false;
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&f);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("mime-info"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    for (const auto &[type, globs] : types) {
        xml.writeStartElement(QStringLiteral("mime-type"));
        xml.writeAttribute(QStringLiteral("type"), type);
        xml.writeTextElement(QStringLiteral("comment"), comment);
        for (const QString &g : globs) {
            xml.writeEmptyElement(QStringLiteral("glob"));
            xml.writeAttribute(QStringLiteral("pattern"), g);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError()) {
        f.cancelWriting();
        return false;
    }
    return CommitWhole(f);
}

void RunTool(const QString &tool, const QString &dir)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(exe, {dir});
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished(1000);
    }
}

bool Fail(QString *error, const QString &what)
{
    if (error)
        *error = AssociateWriteErrorText(what);
    return false;
}

} // namespace

// TFileAssociate ---------------------------------------------------------------

QString TFileAssociate::AddDot(const QString &extOrFile)
{
    const qsizetype dot = extOrFile.indexOf(u'.');
    if (dot < 0)
        return u'.' + extOrFile;
    if (dot == 0)
        return extOrFile;
    return extOrFile.mid(dot);
}

QString TFileAssociate::RemoveDot(const QString &ext)
{
    return ext.startsWith(u'.') ? ext.mid(1) : ext;
}

QString TFileAssociate::DesktopFileId() const { return KeyName.toLower() + QStringLiteral(".desktop"); }

QString TFileAssociate::DesktopFilePath() const
{
    return UserDataHome() + QStringLiteral("/applications/") + DesktopFileId();
}

QString TFileAssociate::MimePackagePath() const
{
    return UserDataHome() + QStringLiteral("/mime/packages/") + KeyName.toLower() + QStringLiteral(".xml");
}

QString TFileAssociate::MimeAppsListPath() { return UserConfigHome() + QStringLiteral("/mimeapps.list"); }

QString TFileAssociate::MimeTypeFor(const QString &ext) const
{
    const QString e = RemoveDot(AddDot(ext)).toLower();
    if (e == u"lbl")
        return QStringLiteral("application/x-quorvane-label");
    if (e == u"lbf")
        return QStringLiteral("application/x-quorvane-template");
    return QStringLiteral("application/x-%1-%2").arg(KeyName.toLower(), e);
}

bool TFileAssociate::IsRegistered() const { return QFileInfo(DesktopFilePath()).isFile(); }

bool TFileAssociate::WriteDesktopEntry(const QString &addedMimeType, QString *error) const
{
    TKeyFile entry;
    if (!entry.Load(DesktopFilePath()))
        return Fail(error, DesktopFilePath());
    QStringList types = SplitList(entry.Value(kDesktopSection, QStringLiteral("MimeType")));
    if (!addedMimeType.isEmpty() && !types.contains(addedMimeType))
        types << addedMimeType;
    entry.SetValue(kDesktopSection, QStringLiteral("Type"), QStringLiteral("Application"));
    entry.SetValue(kDesktopSection, QStringLiteral("Name"), KeyName);
    entry.SetValue(kDesktopSection, QStringLiteral("Comment"), EscapeKeyValue(TypeName));
    entry.SetValue(kDesktopSection, QStringLiteral("Exec"), EscapeKeyValue(Shell));
    // A desktop icon is an image file or an icon name, never the program.
    const QString suffix = QFileInfo(IconPath).suffix().toLower();
    if (!IconPath.isEmpty() && (suffix == u"png" || suffix == u"svg" || suffix == u"xpm" || !IconPath.contains(u'/')))
        entry.SetValue(kDesktopSection, QStringLiteral("Icon"), EscapeKeyValue(IconPath));
    entry.SetValue(kDesktopSection, QStringLiteral("Terminal"), QStringLiteral("false"));
    // The user's entry shadows an installed one of the same name, so it keeps
    // what the menu shows of it: the Chinese name and both categories.
    entry.SetValue(kDesktopSection, QStringLiteral("Name[zh_CN]"), KeyName + QStringLiteral(" 标签设计"));
    entry.SetValue(kDesktopSection, QStringLiteral("GenericName[zh_CN]"), QStringLiteral("标签设计与打印"));
    entry.SetValue(kDesktopSection, QStringLiteral("Categories"), QStringLiteral("Office;Graphics;"));
    entry.SetValue(kDesktopSection, QStringLiteral("MimeType"), JoinList(types));
    if (!entry.Save(DesktopFilePath()))
        return Fail(error, DesktopFilePath());
    return true;
}

bool TFileAssociate::RegisterFileType(QString *error)
{
    if (!WriteDesktopEntry(QString(), error))
        return false;
    RefreshCaches();
    return true;
}

bool TFileAssociate::Associate(const QString &ext, QString *error)
{
    const QString e = AddDot(ext);
    const QString mime = MimeTypeFor(e);
    const QString glob = u'*' + e.toLower();

    TMimeTypes types = ReadMimePackage(MimePackagePath());
    auto it = std::find_if(types.begin(), types.end(), [&](const auto &t) { return t.first == mime; });
    if (it == types.end())
        types.append(qMakePair(mime, QStringList{glob}));
    else if (!it->second.contains(glob))
        it->second << glob;
    if (!WriteMimePackage(MimePackagePath(), types, TypeName))
        return Fail(error, MimePackagePath());

    // The class: the desktop entry lists the type and runs this program.
    if (!WriteDesktopEntry(mime, error))
        return false;

    // The binding; the application that had it stays among the offered ones.
    TKeyFile apps;
    if (!apps.Load(MimeAppsListPath()))
        return Fail(error, MimeAppsListPath());
    const QString id = DesktopFileId();
    QStringList added = SplitList(apps.Value(kAddedAssociations, mime));
    for (const QString &old : SplitList(apps.Value(kDefaultApps, mime)))
        if (!added.contains(old))
            added << old;
    added.removeAll(id);
    added.prepend(id);
    apps.SetValue(kAddedAssociations, mime, JoinList(added));
    apps.SetValue(kDefaultApps, mime, id + u';');
    if (!apps.Save(MimeAppsListPath()))
        return Fail(error, MimeAppsListPath());
    RefreshCaches();
    return true;
}

QStringList TFileAssociate::AssociatedExtensions() const
{
    QStringList out;
    TKeyFile entry;
    if (!IsRegistered() || !entry.Load(DesktopFilePath()))
        return out;
    const QString program = ExecProgram(entry.Value(kDesktopSection, QStringLiteral("Exec")));
    if (program.isEmpty() || QFileInfo(program).fileName() != QFileInfo(PathToApp).fileName())
        return out;
    TKeyFile apps;
    if (!apps.Load(MimeAppsListPath()))
        return out;
    for (const auto &[type, globs] : ReadMimePackage(MimePackagePath())) {
        const QStringList defaults = SplitList(apps.Value(kDefaultApps, type));
        if (defaults.isEmpty() || defaults.first() != DesktopFileId())
            continue;
        for (const QString &g : globs)
            if (g.startsWith(QStringLiteral("*.")))
                out << g.mid(1);
    }
    return out;
}

void TFileAssociate::RefreshCaches() const
{
    if (!RunUpdateTools)
        return;
    if (QFileInfo::exists(MimePackagePath()))
        RunTool(QStringLiteral("update-mime-database"), UserDataHome() + QStringLiteral("/mime"));
    RunTool(QStringLiteral("update-desktop-database"), UserDataHome() + QStringLiteral("/applications"));
}

// The program's own use ------------------------------------------------------------

QString ShellCommandFor(const QString &appPath)
{
    // Quoted as an Exec argument; "%" doubled so it is not a field code.
    QString quoted;
    for (QChar c : appPath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    return u'"' + quoted + QStringLiteral("\" %f");
}

std::unique_ptr<TFileAssociate> CreateFileAssociate(const QString &appPath)
{
    auto fa = std::make_unique<TFileAssociate>();
    fa->KeyName = QStringLiteral("Quorvane");
    fa->PathToApp = appPath;
    fa->IconPath = QStringLiteral("quorvane"); // the icon the package installs
    fa->Icon = 0;
    fa->ShellCmd = QStringLiteral("Open");
    fa->Shell = ShellCommandFor(appPath);
    fa->TypeName = QStringLiteral("Quorvane document");
    fa->ShowInNew = false;
    fa->QuickView = true;
    return fa;
}

QString ProgramFolder(const QString &appPath)
{
    return appPath.left(appPath.lastIndexOf(u'/') + 1);
}

bool ProgramFolderChanged(const QString &appPath, const QString &recordedPath)
{
    return ProgramFolder(appPath) != recordedPath;
}

bool CheckFileAssociations(const QString &appPath, TSettings &settings, const TAskYesNo &ask, QString *error)
{
    auto fa = CreateFileAssociate(appPath);
    if (!fa->IsRegistered() && !fa->RegisterFileType(error))
        return false;
    const QStringList extensions = fa->AssociatedExtensions();
    fa->Icon = 1;
    const QString folder = ProgramFolder(appPath);
    auto bindBoth = [&] {
        if (!fa->Associate(QStringLiteral(".lbl"), error) || !fa->Associate(QStringLiteral(".lbf"), error))
            return false;
        settings.Path = folder;
        settings.DeclinedPath.clear();
        return true;
    };
    // One question a start at most, and a No holds until the program moves:
    // a newcomer who declined is not asked again at every start.
    if (settings.DeclinedPath == folder)
        return true;
    const bool bound = extensions.contains(QStringLiteral(".lbl"), Qt::CaseInsensitive)
        && extensions.contains(QStringLiteral(".lbf"), Qt::CaseInsensitive);
    const QString question = !bound ? kAssociateQuestion
                             : ProgramFolderChanged(appPath, settings.Path) ? kRelocatedQuestion
                                                             : QString();
    if (question.isEmpty())
        return true;
    // The answer is kept at once, not only when the program ends cleanly.
    if (ask(question)) {
        const bool ok = bindBoth();
        SaveSettings(settings);
        return ok;
    }
    settings.DeclinedPath = folder;
    SaveSettings(settings);
    return true;
}
