#include "storage/settings.h"

#include "model/labelformat.h"
#include "storage/labelfile.h"
#include "storage/safesave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringDecoder>
#include <QtEndian>
#include <climits>
#include <cmath>
#include <cstring>
#include <utility>

QString UserConfigHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString SettingsFilePath()
{
    return UserConfigHome() + QStringLiteral("/Maudrel Software/Quorvane.reg");
}

// TRegistryFile -------------------------------------------------------------------

namespace {

constexpr char kHeader[] = "Windows Registry Editor Version 5.00";
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;

QString Unescape(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size())
            ++i;
        out += s[i];
    }
    return out;
}

QString Escape(const QString &s)
{
    QString out;
    for (QChar c : s) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    return out;
}

// The end of a quoted string that starts after s[from - 1] == '"', or -1.
qsizetype ClosingQuote(QStringView s, qsizetype from)
{
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s[i] == u'\\')
            ++i;
        else if (s[i] == u'"')
            return i;
    }
    return -1;
}

std::optional<QByteArray> ParseHexBytes(QStringView s)
{
    QByteArray out;
    for (QStringView part : s.split(u',')) {
        part = part.trimmed();
        if (part.isEmpty())
            continue;
        bool ok = false;
        const uint b = part.toString().toUInt(&ok, 16);
        if (!ok || b > 255 || part.size() > 2)
            return std::nullopt;
        out.append(char(b));
    }
    return out;
}

QString HexBytes(const QByteArray &data)
{
    QStringList parts;
    for (char c : data)
        parts << QStringLiteral("%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    return parts.join(u',');
}

} // namespace

TRegistryFile::TRegistryFile(const QString &fileName, const QString &keyPath)
    : fileName_(fileName), keyPath_(keyPath)
{
}

bool TRegistryFile::Load()
{
    values_.clear();
    QFile f(fileName_);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.read(kMaxSettingsBytes);
    QString text;
    if (bytes.startsWith("\xFF\xFE"))
        text = QStringDecoder(QStringConverter::Utf16LE).decode(QByteArrayView(bytes).sliced(2));
    else
        text = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    Parse(text);
    return true;
}

void TRegistryFile::Parse(const QString &text)
{
    // Join continued lines first: only hex data is split with a trailing
    // backslash (a string value always ends with its closing quote).
    QStringList lines;
    QString pending;
    for (QStringView raw : QStringView(text).split(u'\n')) {
        QStringView line = raw;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!pending.isEmpty())
            line = line.trimmed();
        if (line.endsWith(u'\\')) {
            pending += line.chopped(1);
            continue;
        }
        lines << pending + line.toString();
        pending.clear();
    }
    if (!pending.isEmpty())
        lines << pending;

    bool inKey = false;
    for (const QString &l : lines) {
        const QStringView line = QStringView(l).trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.lastIndexOf(u']');
            inKey = close > 0 && line.mid(1, close - 1).compare(keyPath_, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inKey || !line.startsWith(u'"'))
            continue;
        const qsizetype endName = ClosingQuote(line, 1);
        if (endName < 0 || endName + 1 >= line.size() || line[endName + 1] != u'=')
            continue;
        const QString name = Unescape(line.mid(1, endName - 1));
        const QStringView data = line.mid(endName + 2).trimmed();
        Value v;
        v.name = name;
        if (data.startsWith(u'"')) {
            const qsizetype end = ClosingQuote(data, 1);
            if (end < 0)
                continue;
            v.type = TRegValueType::String;
            v.text = Unescape(data.mid(1, end - 1));
        } else if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
            bool ok = false;
            const QStringView digits = data.mid(6);
            const uint n = digits.toString().toUInt(&ok, 16);
            if (!ok || digits.size() > 8)
                continue;
            v.type = TRegValueType::DWord;
            v.rawType = 4;
            v.data.resize(4);
            qToLittleEndian<quint32>(n, v.data.data());
        } else if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
            const qsizetype colon = data.indexOf(u':');
            if (colon < 0)
                continue;
            const QStringView kind = data.mid(3, colon - 3);
            int raw = 3;
            if (!kind.isEmpty()) {
                bool ok = false;
                if (!kind.startsWith(u'(') || !kind.endsWith(u')'))
                    continue;
                raw = kind.mid(1, kind.size() - 2).toString().toInt(&ok, 16);
                if (!ok)
                    continue;
            }
            const auto bytes = ParseHexBytes(data.mid(colon + 1));
            if (!bytes)
                continue;
            v.rawType = raw;
            v.data = *bytes;
            if (raw == 3) {
                v.type = TRegValueType::Binary;
            } else if (raw == 4 && bytes->size() == 4) {
                v.type = TRegValueType::DWord;
            } else if (raw == 1 || raw == 2) {
                v.type = raw == 1 ? TRegValueType::String : TRegValueType::ExpandString;
                QString s = QStringDecoder(QStringConverter::Utf16LE).decode(*bytes);
                while (s.endsWith(QChar(0)))
                    s.chop(1);
                v.text = s;
            } else {
                v.type = TRegValueType::Other;
            }
        } else {
            continue; // deletions ("-") and unknown forms
        }
        if (!Find(name))
            values_.append(v);
    }
}

bool TRegistryFile::CreateKey()
{
    if (QFileInfo::exists(fileName_))
        return true;
    if (!QDir().mkpath(QFileInfo(fileName_).absolutePath()))
        return false;
    return Save();
}

QByteArray TRegistryFile::ToText() const
{
    QString out = QLatin1String(kHeader) + QStringLiteral("\n\n[") + keyPath_ + QStringLiteral("]\n");
    for (const Value &v : values_) {
        out += u'"' + Escape(v.name) + QStringLiteral("\"=");
        switch (v.type) {
        case TRegValueType::String:
            out += u'"' + Escape(v.text) + u'"';
            break;
        case TRegValueType::DWord:
            out += QStringLiteral("dword:%1").arg(qFromLittleEndian<quint32>(v.data.constData()), 8, 16, QLatin1Char('0'));
            break;
        case TRegValueType::Binary:
            out += QStringLiteral("hex:") + HexBytes(v.data);
            break;
        case TRegValueType::ExpandString: {
            QByteArray utf16(reinterpret_cast<const char *>(v.text.utf16()), v.text.size() * 2);
            utf16.append(2, '\0');
            out += QStringLiteral("hex(2):") + HexBytes(utf16);
            break;
        }
        case TRegValueType::Other:
            out += QStringLiteral("hex(%1):").arg(v.rawType, 0, 16) + HexBytes(v.data);
            break;
        }
        out += u'\n';
    }
    out += u'\n';
    return out.toUtf8();
}

bool TRegistryFile::Save(QString *error) const
{
    if (!QDir().mkpath(QFileInfo(fileName_).absolutePath())) {
        if (error)
            *error = WriteErrorText(fileName_);
        return false;
    }
    return SaveWhole(fileName_, ToText(), error);
}

const TRegistryFile::Value *TRegistryFile::Find(const QString &name) const
{
    for (const Value &v : values_)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

TRegistryFile::Value &TRegistryFile::Put(const QString &name)
{
    for (Value &v : values_)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    values_.append(Value{name, TRegValueType::String, 1, {}, {}});
    return values_.last();
}

bool TRegistryFile::ValueExists(const QString &name) const { return Find(name) != nullptr; }

std::optional<TRegValueType> TRegistryFile::ValueType(const QString &name) const
{
    const Value *v = Find(name);
    return v ? std::optional(v->type) : std::nullopt;
}

std::optional<QByteArray> TRegistryFile::ReadBinary(const QString &name) const
{
    const Value *v = Find(name);
    if (!v || v->type != TRegValueType::Binary)
        return std::nullopt;
    return v->data;
}

std::optional<double> TRegistryFile::ReadDouble(const QString &name) const
{
    const auto data = ReadBinary(name);
    if (!data || data->size() != 8)
        return std::nullopt;
    const quint64 bits = qFromLittleEndian<quint64>(data->constData());
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::optional<quint32> TRegistryFile::ReadDWord(const QString &name) const
{
    const Value *v = Find(name);
    if (!v || v->type != TRegValueType::DWord || v->data.size() != 4)
        return std::nullopt;
    return qFromLittleEndian<quint32>(v->data.constData());
}

std::optional<QString> TRegistryFile::ReadString(const QString &name) const
{
    const Value *v = Find(name);
    if (!v)
        return QString();
    if (v->type != TRegValueType::String && v->type != TRegValueType::ExpandString)
        return std::nullopt;
    return v->text;
}

void TRegistryFile::WriteBinary(const QString &name, const QByteArray &data)
{
    Value &v = Put(name);
    v.type = TRegValueType::Binary;
    v.rawType = 3;
    v.data = data;
    v.text.clear();
}

void TRegistryFile::WriteDouble(const QString &name, double d)
{
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    QByteArray data(8, '\0');
    qToLittleEndian<quint64>(bits, data.data());
    WriteBinary(name, data);
}

void TRegistryFile::WriteDWord(const QString &name, quint32 n)
{
    Value &v = Put(name);
    v.type = TRegValueType::DWord;
    v.rawType = 4;
    v.data.resize(4);
    qToLittleEndian<quint32>(n, v.data.data());
    v.text.clear();
}

void TRegistryFile::WriteString(const QString &name, const QString &s)
{
    Value &v = Put(name);
    v.type = TRegValueType::String;
    v.rawType = 1;
    v.data.clear();
    v.text = s;
}

QStringList TRegistryFile::ValueNames(const QString &prefix) const
{
    QStringList names;
    for (const Value &v : values_)
        if (v.name.startsWith(prefix, Qt::CaseInsensitive))
            names << v.name;
    return names;
}

void TRegistryFile::DeleteValue(const QString &name)
{
    for (qsizetype i = 0; i < values_.size(); ++i)
        if (values_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            values_.removeAt(i);
            return;
        }
}

// Settings ------------------------------------------------------------------------

namespace {

const char *const kLengthNames[] = {"Margin_Top", "Margin_Left", "Label_Height", "Label_Width", "Gap_Height", "Gap_Width"};

double *LengthVariable(TLabelFormat &f, int i)
{
    double *vars[] = {&f.Margin_Top, &f.Margin_Left, &f.Label_Height, &f.Label_Width, &f.Gap_Height, &f.Gap_Width};
    return vars[i];
}

// Each value is stored as soon as it is read; the first failure stops.
bool ReadSettings(const TRegistryFile &reg, TSettings &settings)
{
    TLabelFormat &format = settings.LabelFormat;
    for (int i = 0; i < 6; ++i) {
        const auto v = reg.ReadDouble(QLatin1String(kLengthNames[i]));
        // A length no label can have (NaN, zero size, astronomically large)
        // counts as a failed read.
        if (!v || !UsableLabelLength(*v, i == 2 || i == 3))
            return false;
        *LengthVariable(format, i) = *v;
    }
    const auto metric = reg.ReadDWord(QStringLiteral("Metric"));
    if (!metric)
        return false;
    format.Metric = *metric != 0;
    // Kept beside the others (absent before millimetres existed).
    if (reg.ReadDWord(QStringLiteral("Millimetres")).value_or(0) != 0)
        SetLabelUnit(format, TLabelUnit::Millimetre);
    const auto grids = reg.ReadDWord(QStringLiteral("ShowGrids"));
    if (!grids)
        return false;
    settings.ShowGrids = *grids != 0;
    const auto path = reg.ReadString(QStringLiteral("Path"));
    if (!path)
        return false;
    settings.Path = *path;
    const auto autoSave = reg.ReadDWord(QStringLiteral("AutoSaveSeq"));
    if (!autoSave)
        return false;
    settings.AutoSaveSeq = *autoSave != 0;
    // Kept beside the others; without it (settings of an older version) the
    // questions are simply asked again.
    settings.DeclinedPath = reg.ReadString(QStringLiteral("DeclinedPath")).value_or(QString());
    format.Roll = reg.ReadDWord(QStringLiteral("Roll")).value_or(0) != 0;
    format.MaxColumns = int(qMin<quint32>(reg.ReadDWord(QStringLiteral("MaxColumns")).value_or(0), INT_MAX));
    format.MaxRows = int(qMin<quint32>(reg.ReadDWord(QStringLiteral("MaxRows")).value_or(0), INT_MAX));
    // Snapping and the grid's spacing came later: missing or odd, each
    // simply keeps its default.
    settings.SnapToGrid = reg.ReadDWord(QStringLiteral("SnapToGrid")).value_or(0) != 0;
    settings.SnapToItems = reg.ReadDWord(QStringLiteral("SnapToItems")).value_or(1) != 0;
    auto spacing = [&reg](const char *name, double fallback, double scale = 1) {
        const double v = reg.ReadDouble(QLatin1String(name)).value_or(fallback);
        return v >= kMinGridSpacing * scale && v <= kMaxGridSpacing * scale ? v : fallback;
    };
    settings.GridInches = spacing("GridInches", kDefaultGridInches);
    settings.GridCentimetres = spacing("GridCentimetres", kDefaultGridCentimetres);
    settings.GridMillimetres = spacing("GridMillimetres", kDefaultGridMillimetres, 10);
    return true;
}

} // namespace

TLabelFormat DefaultLabelFormat(const QLocale &locale)
{
    // The same label, measured as a Chinese user measures it.
    if (locale.language() == QLocale::Chinese)
        return ConvertUnits(TLabelFormat{}, TLabelUnit::Millimetre);
    return {};
}

TSettings LoadSettings()
{
    TRegistryFile reg(SettingsFilePath());
    const bool loaded = reg.Load();
    if (loaded)
        reg.CreateKey();
    TSettings settings;
    if (!loaded || !ReadSettings(reg, settings)) {
        settings = TSettings{};
        settings.LabelFormat = DefaultLabelFormat(QLocale::system());
    }
    return settings;
}

bool SaveSettings(const TSettings &settings, QString *error)
{
    TLabelFormat format = settings.LabelFormat;
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load()) {
        if (error)
            *error = WriteErrorText(SettingsFilePath());
        return false;
    }
    for (int i = 0; i < 6; ++i)
        reg.WriteDouble(QLatin1String(kLengthNames[i]), *LengthVariable(format, i));
    reg.WriteDWord(QStringLiteral("Metric"), format.Metric || format.Millimetres ? 1 : 0);
    if (format.Millimetres)
        reg.WriteDWord(QStringLiteral("Millimetres"), 1);
    else
        reg.DeleteValue(QStringLiteral("Millimetres"));
    reg.WriteDWord(QStringLiteral("ShowGrids"), settings.ShowGrids ? 1 : 0);
    reg.WriteString(QStringLiteral("Path"), settings.Path);
    reg.WriteDWord(QStringLiteral("AutoSaveSeq"), settings.AutoSaveSeq ? 1 : 0);
    reg.WriteString(QStringLiteral("DeclinedPath"), settings.DeclinedPath);
    reg.WriteDWord(QStringLiteral("SnapToGrid"), settings.SnapToGrid ? 1 : 0);
    reg.WriteDWord(QStringLiteral("SnapToItems"), settings.SnapToItems ? 1 : 0);
    reg.WriteDouble(QStringLiteral("GridInches"), settings.GridInches);
    reg.WriteDouble(QStringLiteral("GridCentimetres"), settings.GridCentimetres);
    reg.WriteDouble(QStringLiteral("GridMillimetres"), settings.GridMillimetres);
    if (format.Roll)
        reg.WriteDWord(QStringLiteral("Roll"), 1);
    else
        reg.DeleteValue(QStringLiteral("Roll"));
    const std::pair<const char *, int> limits[] = {{"MaxColumns", format.MaxColumns},
                                                   {"MaxRows", format.MaxRows}};
    for (const auto &[name, value] : limits) {
        if (value > 0)
            reg.WriteDWord(QLatin1String(name), quint32(value));
        else
            reg.DeleteValue(QLatin1String(name));
    }
    return reg.Save(error);
}

QString LoadLanguageSetting()
{
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load())
        return {};
    return reg.ReadString(QStringLiteral("Language")).value_or(QString());
}

bool SaveLanguageSetting(const QString &language)
{
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load())
        return false;
    reg.WriteString(QStringLiteral("Language"), language);
    return reg.Save();
}

// Printer calibration -------------------------------------------------------------

namespace {

QString CalibrationValueName(const QString &printer)
{
    return QStringLiteral("Calibration:") + printer;
}

} // namespace

bool ValidCalibration(const TCalibration &c)
{
    const auto offset = [](double v) { return std::isfinite(v) && std::abs(v) <= kCalibrationOffsetLimit + 1e-9; };
    const auto scale = [](double v) {
        return std::isfinite(v) && v >= kCalibrationScaleMin - 1e-9 && v <= kCalibrationScaleMax + 1e-9;
    };
    return offset(c.OffsetX) && offset(c.OffsetY) && scale(c.ScaleX) && scale(c.ScaleY);
}

TCalibration RoundCalibration(const TCalibration &c)
{
    const auto round = [](double v, double step) { return std::round(v / step) * step + 0.0; };
    return {round(c.OffsetX, 0.1), round(c.OffsetY, 0.1), round(c.ScaleX, 0.01), round(c.ScaleY, 0.01)};
}

bool ParseCalibration(const QString &text, TCalibration &c)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = QLocale::c().toDouble(parts[i].trimmed(), &ok);
        if (!ok)
            return false;
    }
    const TCalibration r{v[0], v[1], v[2], v[3]};
    if (!ValidCalibration(r))
        return false;
    c = RoundCalibration(r);
    return true;
}

QString CalibrationText(const TCalibration &c)
{
    const QLocale C = QLocale::c();
    return QStringLiteral("%1,%2,%3,%4")
        .arg(C.toString(c.OffsetX, 'g', 6), C.toString(c.OffsetY, 'g', 6), C.toString(c.ScaleX, 'g', 8),
             C.toString(c.ScaleY, 'g', 8));
}

TCalibration LoadCalibration(const QString &printer)
{
    TRegistryFile reg(SettingsFilePath());
    TCalibration c;
    if (printer.isEmpty() || !reg.Load())
        return c;
    if (const auto text = reg.ReadString(CalibrationValueName(printer)); text && !ParseCalibration(*text, c))
        c = {};
    return c;
}

bool SaveCalibration(const QString &printer, const TCalibration &c, QString *error)
{
    if (printer.isEmpty() || !ValidCalibration(c))
        return false;
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load() || !reg.CreateKey()) {
        if (error)
            *error = WriteErrorText(SettingsFilePath());
        return false;
    }
    const TCalibration r = RoundCalibration(c);
    if (r.IsIdentity())
        reg.DeleteValue(CalibrationValueName(printer));
    else
        reg.WriteString(CalibrationValueName(printer), CalibrationText(r));
    return reg.Save(error);
}

// Remembered answers ---------------------------------------------------------------

namespace {

const QString kAnswersPrefix = QStringLiteral("Answers:");

// The registry matches value names without regard to case, paths do not:
// the value also holds its path, and one for another path is not used.
QString AnswersText(const QString &labelFile, const QHash<QString, QString> &answers)
{
    QJsonObject values;
    for (auto it = answers.cbegin(); it != answers.cend(); ++it)
        if (it.value().size() <= kRememberedAnswerLength)
            values.insert(it.key(), it.value());
    const QJsonObject o{{QStringLiteral("file"), labelFile}, {QStringLiteral("values"), values}};
    // Compact JSON escapes line breaks: the value stays on one line.
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

} // namespace

QHash<QString, QString> LoadRememberedAnswers(const QString &labelFile)
{
    QHash<QString, QString> answers;
    TRegistryFile reg(SettingsFilePath());
    if (labelFile.isEmpty() || !reg.Load())
        return answers;
    const auto text = reg.ReadString(kAnswersPrefix + labelFile);
    if (!text || text->isEmpty())
        return answers;
    const QJsonObject o = QJsonDocument::fromJson(text->toUtf8()).object();
    if (o.value(QStringLiteral("file")).toString() != labelFile)
        return answers;
    const QJsonObject values = o.value(QStringLiteral("values")).toObject();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (it.value().isString())
            answers.insert(it.key(), it.value().toString());
    return answers;
}

bool SaveRememberedAnswers(const QString &labelFile, const QHash<QString, QString> &answers, QString *error)
{
    if (labelFile.isEmpty())
        return false;
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load() || !reg.CreateKey()) {
        if (error)
            *error = WriteErrorText(SettingsFilePath());
        return false;
    }
    // Written anew it goes last: the values stand in the order of printing.
    const QString name = kAnswersPrefix + labelFile;
    reg.DeleteValue(name);
    reg.WriteString(name, AnswersText(labelFile, answers));
    QStringList kept = reg.ValueNames(kAnswersPrefix);
    while (kept.size() > kRememberedAnswerLabels)
        reg.DeleteValue(kept.takeFirst());
    return reg.Save(error);
}
