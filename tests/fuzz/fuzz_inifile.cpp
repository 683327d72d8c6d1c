// The INI layer: any bytes parse; every value reads back the same after the
// image is written and parsed again; numbers parse without surprises.

#include "fuzz_common.h"

#include "storage/inifile.h"

#include <algorithm>
#include <cmath>

namespace {

void CheckNumbers(const QString &value)
{
    if (const auto f = ParseIniFloat(value)) {
        FUZZ_CHECK(std::isfinite(*f), value);
        const QString text = FormatIniFloat(*f);
        const auto again = ParseIniFloat(text);
        FUZZ_CHECK(again.has_value(), value + QStringLiteral(" -> ") + text);
        // 15 significant digits survive.
        FUZZ_CHECK(std::fabs(*again - *f) <= std::fabs(*f) * 1e-14, value + QStringLiteral(" -> ") + text);
    }
    if (const auto i = ParseIniInteger(value)) {
        FUZZ_CHECK(ParseIniInteger(QString::number(*i)) == *i, value);
    }
    const int r = RotationFromIni(value);
    FUZZ_CHECK(r >= 0 && r <= 3, value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = FuzzWriteFile(QStringLiteral("input.ini"), bytes);
    TIniFile ini(path);
    FUZZ_CHECK(ini.Readable() && ini.ReadError().isEmpty(), ini.ReadError());

    // Writing the image and parsing it again keeps every section, key and value.
    const QString copyPath = FuzzWriteFile(QStringLiteral("copy.ini"), ini.ToBytes());
    TIniFile copy(copyPath);
    FUZZ_CHECK(copy.Sections() == ini.Sections(), ini.Sections().join(u'|') + QStringLiteral(" vs ") + copy.Sections().join(u'|'));
    int checked = 0;
    for (const QString &section : ini.Sections()) {
        const QStringList keys = ini.Keys(section);
        FUZZ_CHECK(copy.Keys(section) == keys, section);
        for (const QString &key : keys) {
            const QString value = ini.ReadString(section, key, QString());
            FUZZ_CHECK(ini.ValueExists(section.toUpper(), key.toLower()), section + u'/' + key);
            FUZZ_CHECK(copy.ReadString(section, key, QStringLiteral("<missing>")) == value,
                       section + u'/' + key + u'=' + value + QStringLiteral(" read back as ")
                           + copy.ReadString(section, key, QStringLiteral("<missing>")));
            if (++checked < 200)
                CheckNumbers(value);
        }
        const QList<int> lines = ini.KeyIndices(section, QStringLiteral("MEMO_"));
        FUZZ_CHECK(lines.size() <= keys.size() && std::is_sorted(lines.begin(), lines.end()), section);
    }
    FUZZ_CHECK(ini.SectionIndices(QStringLiteral("CNT_")).size() <= ini.Sections().size(), QString());

    // Every write keeps one-line values and the replace-or-append rule.
    TIniFile edit(path);
    const QString multi = QString::fromUtf8(bytes.left(64));
    edit.WriteString(QStringLiteral("FORMAT"), QStringLiteral("TEXT"), multi);
    edit.WriteInteger(QStringLiteral("Format"), QStringLiteral("controls"), -7);
    edit.DeleteKey(QStringLiteral("format"), QStringLiteral("HEIGHT"));
    edit.EraseSection(QStringLiteral("CNT_1"));
    FUZZ_CHECK(edit.ReadInteger(QStringLiteral("FORMAT"), QStringLiteral("CONTROLS"), 0) == -7, QString());
    FUZZ_CHECK(!edit.ValueExists(QStringLiteral("FORMAT"), QStringLiteral("HEIGHT")), QString());
    FUZZ_CHECK(!edit.SectionExists(QStringLiteral("CNT_1")), QString());
    const QString written = edit.ReadString(QStringLiteral("FORMAT"), QStringLiteral("TEXT"), QString());
    FUZZ_CHECK(!written.contains(u'\r') && !written.contains(u'\n'), written);
    QString error;
    FUZZ_CHECK(edit.UpdateFile(&error), error);
    TIniFile reread(path);
    FUZZ_CHECK(reread.ReadString(QStringLiteral("FORMAT"), QStringLiteral("TEXT"), QString()) == written,
               written + QStringLiteral(" read back as ") + reread.ReadString(QStringLiteral("FORMAT"), QStringLiteral("TEXT"), QString()));
    return 0;
}
