#include "storage/inifile.h"
#include "storage/safesave.h"

#include "storage/textencoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

QString IniWriteErrorText(const QString &fileName)
{
    return WriteErrorText(fileName);
}

QString IniReadErrorText(const QString &fileName)
{
    return QCoreApplication::translate("Storage", "无法读取 %1").arg(fileName);
}

// Value encodings -------------------------------------------------------------

QString FormatIniFloat(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (v == 0)
        return QStringLiteral("0");

    // Round to 15 significant digits first; the exponent is the one of the
    // rounded value (9.9999999999999999 becomes 1E1, not 9.99...).
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const char *e = std::strchr(buf, 'e');
    const int exponent = std::atoi(e + 1);
    QByteArray digits;
    for (const char *p = buf; p < e; ++p)
        if (*p >= '0' && *p <= '9')
            digits.append(*p);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    QByteArray out;
    if (v < 0)
        out.append('-');
    if (exponent < -5 || exponent >= 15) {
        out.append(digits.at(0));
        if (digits.size() > 1) {
            out.append('.');
            out.append(digits.mid(1));
        }
        out.append('E');
        out.append(QByteArray::number(exponent));
    } else if (exponent < 0) {
        out.append("0.");
        out.append(QByteArray(-exponent - 1, '0'));
        out.append(digits);
    } else {
        const int intDigits = exponent + 1;
        if (digits.size() <= intDigits) {
            out.append(digits);
            out.append(QByteArray(intDigits - digits.size(), '0'));
        } else {
            out.append(digits.left(intDigits));
            out.append('.');
            out.append(digits.mid(intDigits));
        }
    }
    return QString::fromLatin1(out);
}

std::optional<double> ParseIniFloat(QStringView s)
{
    s = s.trimmed();
    if (s.isEmpty() || s.size() > 400)
        return std::nullopt;
    QByteArray text;
    text.reserve(s.size());
    qsizetype i = 0;
    bool negative = false;
    if (s[0] == u'+' || s[0] == u'-') {
        negative = s[0] == u'-';
        ++i;
    }
    int mantissaDigits = 0;
    bool separator = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            text.append(char(c.unicode()));
            ++mantissaDigits;
        } else if ((c == u'.' || c == u',') && !separator) {
            text.append('.');
            separator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < s.size()) {
        if (s[i] != u'e' && s[i] != u'E')
            return std::nullopt;
        text.append('e');
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            text.append(char(s[i++].unicode()));
        int expDigits = 0;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i, ++expDigits)
            text.append(char(s[i].unicode()));
        if (expDigits == 0 || i < s.size())
            return std::nullopt;
    }
    double v = 0;
    const auto r = std::from_chars(text.constData(), text.constData() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.constData() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

std::optional<qint32> ParseIniInteger(QStringView s)
{
    s = s.trimmed();
    if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        const QStringView hex = s.mid(2);
        if (hex.size() > 8)
            return std::nullopt;
        quint32 v = 0;
        for (QChar c : hex) {
            const int d = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
            if (d < 0)
                return std::nullopt;
            v = v * 16 + quint32(d);
        }
        return qint32(v);
    }
    qsizetype i = 0;
    bool negative = false;
    if (!s.isEmpty() && (s[0] == u'+' || s[0] == u'-')) {
        negative = s[0] == u'-';
        ++i;
    }
    if (i >= s.size())
        return std::nullopt;
    qint64 v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9')
            return std::nullopt;
        v = v * 10 + (s[i].unicode() - u'0');
        if (v > qint64(1) << 31)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        return std::nullopt;
    return qint32(v);
}

QString RotationToIni(int quarterTurns)
{
    switch (quarterTurns & 3) {
    case 1: return QStringLiteral("90");
    case 2: return QStringLiteral("180");
    case 3: return QStringLiteral("270");
    default: return QStringLiteral("0");
    }
}

int RotationFromIni(QStringView s)
{
    if (s == u"90")
        return 1;
    if (s == u"180")
        return 2;
    if (s == u"270")
        return 3;
    return 0;
}

// Text encoding ---------------------------------------------------------------

QByteArray EncodeIniText(const QString &text)
{
    return EncodeGb18030(text);
}

QString DecodeIniText(const QByteArray &bytes)
{
    return DecodeTextFile(bytes);
}

// TIniFile --------------------------------------------------------------------

TIniFile::TIniFile(const QString &fileName, OpenMode mode) : fileName_(fileName)
{
    QFileInfo info(fileName);
    existed_ = info.exists() && info.isFile();
    if (mode == StartEmpty || !existed_)
        return;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        readError_ = IniReadErrorText(fileName);
        partial_ = true;
        openFailed_ = true;
        return;
    }
    // A file over the limit is not read at all: cut short, it would load as
    // a different label.
    if (f.size() > kIniMaxReadBytes) {
        readError_ = QCoreApplication::translate("Storage", "%1 is larger than %2 MiB: not opened")
                         .arg(fileName)
                         .arg(kIniMaxReadBytes >> 20);
        partial_ = true;
        return;
    }
    // read(n) reserves n bytes before reading: ask for what the file holds.
    const QByteArray bytes = f.read(qBound(qint64(1), f.size(), kIniMaxReadBytes));
    if (!f.atEnd()) {
        readError_ = IniReadErrorText(fileName);
        partial_ = true;
    }
    Parse(DecodeIniText(bytes));
}

void TIniFile::Parse(const QString &text)
{
    const QChar *data = text.constData();
    const qsizetype n = text.size();
    Section *current = nullptr;
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && data[end] != u'\r' && data[end] != u'\n')
            ++end;
        QStringView line(data + pos, end - pos);
        pos = end;
        if (pos < n && data[pos] == u'\r')
            ++pos;
        if (pos < n && data[pos] == u'\n')
            ++pos;

        qsizetype lead = 0;
        // The same blanks as the trimming of names below: a key line that
        // starts with a vertical tab and "[" must not turn into a section
        // header when the file is written back.
        while (lead < line.size() && line[lead].isSpace())
            ++lead;
        line = line.mid(lead);
        if (line.isEmpty() || line[0] == u';')
            continue;
        if (line[0] == u'[') {
            qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toString();
            const QString folded = Fold(name);
            auto it = sectionIndex_.constFind(folded);
            if (it != sectionIndex_.constEnd()) {
                current = &sections_[*it]; // a repeated section continues the first
            } else {
                sectionIndex_.insert(folded, sections_.size());
                sections_.append(Section{name, {}, {}});
                current = &sections_.last();
            }
            continue;
        }
        if (!current)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toString();
        if (key.isEmpty())
            continue;
        const QString folded = Fold(key);
        if (current->index.contains(folded))
            continue; // the first of repeated keys is the one read
        current->index.insert(folded, current->entries.size());
        current->entries.append(Entry{key, line.mid(eq + 1).toString()});
    }
}

const TIniFile::Section *TIniFile::FindSection(const QString &name) const
{
    auto it = sectionIndex_.constFind(Fold(name));
    return it == sectionIndex_.constEnd() ? nullptr : &sections_[*it];
}

TIniFile::Section &TIniFile::SectionForWrite(const QString &name)
{
    const QString folded = Fold(name);
    auto it = sectionIndex_.constFind(folded);
    if (it != sectionIndex_.constEnd())
        return sections_[*it];
    sectionIndex_.insert(folded, sections_.size());
    sections_.append(Section{name, {}, {}});
    return sections_.last();
}

const QString *TIniFile::FindValue(const QString &section, const QString &key) const
{
    const Section *s = FindSection(section);
    if (!s)
        return nullptr;
    auto it = s->index.constFind(Fold(key));
    return it == s->index.constEnd() ? nullptr : &s->entries[*it].value;
}

QStringList TIniFile::Sections() const
{
    QStringList out;
    for (const Section &s : sections_)
        out << s.name;
    return out;
}

QStringList TIniFile::Keys(const QString &section) const
{
    QStringList out;
    if (const Section *s = FindSection(section))
        for (const Entry &e : s->entries)
            out << e.key;
    return out;
}

bool TIniFile::SectionExists(const QString &section) const { return FindSection(section) != nullptr; }

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return FindValue(section, key) != nullptr;
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const QString *v = FindValue(section, key);
    return v ? *v : def;
}

qint32 TIniFile::ReadInteger(const QString &section, const QString &key, qint32 def) const
{
    const QString *v = FindValue(section, key);
    return v ? ParseIniInteger(*v).value_or(def) : def;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const QString &section, const QString &key, double def) const
{
    const QString *v = FindValue(section, key);
    return v ? ParseIniFloat(*v).value_or(def) : def;
}

// The n of prefix+n when the rest is a decimal number without leading zeros.
static int IndexAfterPrefix(const QString &name, const QString &prefix)
{
    if (name.size() <= prefix.size() || !name.startsWith(prefix, Qt::CaseInsensitive))
        return 0;
    const QStringView rest = QStringView(name).mid(prefix.size());
    if (rest[0] == u'0' || rest.size() > 10)
        return 0;
    qint64 v = 0;
    for (QChar c : rest) {
        if (c < u'0' || c > u'9')
            return 0;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v > INT32_MAX ? 0 : int(v);
}

namespace {
QList<int> SortedIndices(QList<int> found)
{
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}
} // namespace

QList<int> TIniFile::KeyIndices(const QString &section, const QString &prefix) const
{
    QList<int> found;
    if (const Section *s = FindSection(section))
        for (const Entry &e : s->entries)
            if (const int n = IndexAfterPrefix(e.key, prefix); n > 0)
                found << n;
    return SortedIndices(std::move(found));
}

QList<int> TIniFile::SectionIndices(const QString &prefix) const
{
    QList<int> found;
    for (const Section &s : sections_)
        if (const int n = IndexAfterPrefix(s.name, prefix); n > 0)
            found << n;
    return SortedIndices(std::move(found));
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    QString oneLine = value;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    Section &s = SectionForWrite(section);
    const QString folded = Fold(key);
    auto it = s.index.constFind(folded);
    if (it != s.index.constEnd()) {
        s.entries[*it].value = oneLine;
        return;
    }
    s.index.insert(folded, s.entries.size());
    s.entries.append(Entry{key, oneLine});
}

void TIniFile::WriteInteger(const QString &section, const QString &key, qint32 value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString &section, const QString &key, double value)
{
    WriteString(section, key, FormatIniFloat(value));
}

void TIniFile::EraseSection(const QString &section)
{
    auto it = sectionIndex_.constFind(Fold(section));
    if (it == sectionIndex_.constEnd())
        return;
    sections_.removeAt(*it);
    sectionIndex_.clear();
    for (qsizetype i = 0; i < sections_.size(); ++i)
        sectionIndex_.insert(Fold(sections_[i].name), i);
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    auto sit = sectionIndex_.constFind(Fold(section));
    if (sit == sectionIndex_.constEnd())
        return;
    Section &s = sections_[*sit];
    auto it = s.index.constFind(Fold(key));
    if (it == s.index.constEnd())
        return;
    s.entries.removeAt(*it);
    s.index.clear();
    for (qsizetype i = 0; i < s.entries.size(); ++i)
        s.index.insert(Fold(s.entries[i].key), i);
}

QByteArray TIniFile::ToBytes() const
{
    QString text;
    for (const Section &s : sections_) {
        text += u'[' + s.name + QStringLiteral("]\r\n");
        for (const Entry &e : s.entries)
            text += e.key + u'=' + e.value + QStringLiteral("\r\n");
    }
    const QByteArray bytes = EncodeIniText(text);
    // The odd text whose GB18030 bytes would pass for UTF-8 (see
    // DetectTextEncoding) gets a first line that is not UTF-8: a comment,
    // which every reader of the format skips.
    if (DetectTextEncoding(bytes) != TTextEncoding::Gb18030)
        return EncodeIniText(QStringLiteral("; 编码 GB18030\r\n")) + bytes;
    return bytes;
}

bool TIniFile::UpdateFile(QString *error, QFileDevice::Permissions permissions) const
{
    if (partial_) {
        if (error)
            *error = IniWriteErrorText(fileName_);
        return false;
    }
    return SaveWhole(fileName_, ToBytes(), error, permissions);
}
