// Spreadsheets: any sheet XML (zipped into a workbook here), any content.xml,
// any .xls or .xlsx file is read to its end or to an error naming the file;
// the wizard's first rows are the first records; a date format of any code
// gives text bounded by the code.

#include "fuzz_common.h"

#include "data/sheetcells.h"
#include "data/spreadsheet.h"

#include <QFile>
#include <cstring>
#include <zip.h>

namespace {

const char *const kRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"r1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
const char *const kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><workbookPr date1904=\"0\"/>"
    "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"s\"/></sheets></workbook>";
const char *const kWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"s\" Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"t\" Type=\"x/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"u\" Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
const char *const kStyles =
    "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\\ hh:mm:ss.00 AM/PM\"/></numFmts>"
    "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/><xf numFmtId=\"46\"/></cellXfs>"
    "</styleSheet>";
const char *const kStrings = "<sst><si><t>a</t></si><si><r><t>b</t></r><rPh><t>x</t></rPh></si></sst>";

bool Add(zip_t *z, const char *name, const QByteArray &bytes)
{
    void *copy = malloc(size_t(qMax<qsizetype>(1, bytes.size())));
    memcpy(copy, bytes.constData(), size_t(bytes.size()));
    zip_source_t *src = zip_source_buffer(z, copy, zip_uint64_t(bytes.size()), 1);
    if (!src || zip_file_add(z, name, src, ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(src);
        return false;
    }
    return true;
}

QString Zip(const QString &name, const QList<QPair<const char *, QByteArray>> &members)
{
    const QString path = FuzzTempDir() + u'/' + name;
    QFile::remove(path);
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return path;
    for (const auto &m : members)
        Add(z, m.first, m.second);
    zip_close(z);
    return path;
}

TDataRow Trimmed(TDataRow row)
{
    while (!row.isEmpty() && row.last().isEmpty())
        row.removeLast();
    return row;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const uint8_t kind = in.Byte();
    if (kind & 0x10) {
        double serial;
        uint8_t b[8];
        for (uint8_t &c : b)
            c = in.Byte();
        memcpy(&serial, b, sizeof serial);
        const QString code = QString::fromUtf8(in.Rest());
        const QString out = FormatDateSerial(serial, code, kind & 0x20);
        FUZZ_CHECK(out.size() <= code.size() * 5 + 64,
                   QStringLiteral("%1 characters from a code of %2").arg(out.size()).arg(code.size()));
        ShortestNumberText(serial);
        return 0;
    }
    const QByteArray rest = in.Rest();
    QString path;
    switch (kind & 3) {
    case 0:
        path = Zip(QStringLiteral("f.xlsx"), {{"_rels/.rels", kRels},
                                             {"xl/workbook.xml", kWorkbook},
                                             {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                                             {"xl/styles.xml", kStyles},
                                             {"xl/sharedStrings.xml", kStrings},
                                             {"xl/worksheets/sheet1.xml", rest}});
        break;
    case 1: path = Zip(QStringLiteral("f.ods"), {{"content.xml", rest}}); break;
    case 2: path = FuzzWriteFile(QStringLiteral("f.xls"), rest); break;
    default: path = FuzzWriteFile(QStringLiteral("f.xlsx"), rest); break;
    }
    const QString sheet = (kind & 4) ? QStringLiteral("2") : QString();
    QString error;
    std::unique_ptr<TRecordSource> source = OpenSpreadsheet(path, sheet, false, &error);
    if (!source) {
        FUZZ_CHECK(error.contains(QStringLiteral("f.")), error.left(200));
        return 0;
    }
    QList<TDataRow> first;
    // Enough records to pass the wizard's rows; a damaged row number may
    // stand for up to a million empty ones.
    for (int n = 0; source->HasRecord() && n < 2000; ++n) {
        if (first.size() < 10) {
            first.append(Trimmed(source->DataRow()));
            // A date belongs to a cell that shows something, in the record.
            const TDataRow &row = source->DataRow();
            for (int c = 0; c <= qMin<qsizetype>(row.size() + 1, 64); ++c)
                if (source->CellDate(c).isValid())
                    FUZZ_CHECK(c >= 1 && c <= row.size() && !row[c - 1].isEmpty(),
                               QStringLiteral("a date for column %1 of %2").arg(c).arg(row.size()));
        }
        if (source->DataEof())
            break;
        source->ReadRecord();
    }
    if (source->Failed()) {
        FUZZ_CHECK(source->ErrorString().contains(QStringLiteral("f.")), source->ErrorString().left(200));
        return 0;
    }
    QString sampleError;
    QList<TDataRow> sample = ReadSpreadsheetRows(path, sheet, 10, &sampleError);
    for (TDataRow &r : sample)
        r = Trimmed(r);
    FUZZ_CHECK(sample == first, QStringLiteral("the wizard shows other rows than the job reads"));
    return 0;
}
