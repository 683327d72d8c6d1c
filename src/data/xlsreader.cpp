// .xls (BIFF) through libfreexl, which reads the workbook into memory: the
// format holds at most 65,536 rows, so that stays small. libfreexl tells
// neither a cell's format nor the active or hidden sheets, so the BIFF8
// "Workbook" stream is walked here too for those and for the numbers.

#include "data/sheetcells.h"
#include "data/sheetrows.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTime>
#include <cstring>
#include <freexl.h>

namespace {

quint16 U16(const QByteArray &b, qsizetype at)
{
    return at >= 0 && at + 2 <= b.size() ? quint16(uchar(b[at]) | uchar(b[at + 1]) << 8) : 0;
}
quint32 U32(const QByteArray &b, qsizetype at)
{
    return quint32(U16(b, at)) | quint32(U16(b, at + 2)) << 16;
}

// One stream of an OLE2 compound file by name; empty when the file is not
// one or the stream's chains run outside it or in a loop.
QByteArray CompoundStream(const QByteArray &file, const QString &name)
{
    static const char magic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (file.size() < 512 || std::memcmp(file.constData(), magic, 8) != 0)
        return {};
    const int shift = U16(file, 30), miniShift = U16(file, 32);
    if ((shift != 9 && shift != 12) || miniShift != 6)
        return {};
    const qsizetype sector = qsizetype(1) << shift, mini = 64;
    const quint32 cutoff = U32(file, 56);
    const qsizetype sectors = (file.size() - 512 + sector - 1) / sector;
    auto offset = [&](quint32 s) { return 512 + qsizetype(s) * sector; };

    QList<quint32> fatSectors;
    for (int i = 0; i < 109; ++i)
        fatSectors.append(U32(file, 76 + 4 * i));
    quint32 difat = U32(file, 68);
    // A FAT never needs more sectors than the file has: a looping or padded
    // DIFAT stops there rather than growing the table past the file's size.
    for (qsizetype n = 0; difat < quint32(sectors) && n < sectors && fatSectors.size() < sectors + 109; ++n) {
        for (qsizetype i = 0; i + 1 < sector / 4; ++i)
            fatSectors.append(U32(file, offset(difat) + 4 * i));
        difat = U32(file, offset(difat) + sector - 4);
    }
    QList<quint32> fat;
    for (quint32 s : fatSectors) {
        if (s >= quint32(sectors) || fat.size() >= sectors * (sector / 4))
            continue;
        for (qsizetype i = 0; i < sector / 4; ++i)
            fat.append(U32(file, offset(s) + 4 * i));
    }
    // The last sector may be short; pad so a chain may end there.
    QByteArray padded = file;
    padded.resize(512 + sectors * sector, '\0');
    const QByteArray &f = padded;
    auto regular = [&](quint32 start) {
        QByteArray out;
        for (qsizetype n = 0; start < quint32(fat.size()) && n < fat.size(); ++n) {
            if (start >= quint32(sectors))
                return QByteArray();
            out.append(f.constData() + offset(start), sector);
            start = fat[start];
        }
        return start == 0xFFFFFFFE ? out : QByteArray();
    };
    const QByteArray directory = regular(U32(file, 48));
    QByteArray miniStream;
    QList<quint32> miniFat;
    for (qsizetype e = 0; e + 128 <= directory.size(); e += 128) {
        const int type = uchar(directory[e + 66]);
        const int nameBytes = qMin<int>(U16(directory, e + 64), 64);
        const quint32 start = U32(directory, e + 116), size = U32(directory, e + 120);
        if (type == 5) {
            miniStream = regular(start);
            const QByteArray mf = regular(U32(file, 60));
            for (qsizetype i = 0; i + 4 <= mf.size(); i += 4)
                miniFat.append(U32(mf, i));
            continue;
        }
        const QString entry = QString::fromUtf16(reinterpret_cast<const char16_t *>(directory.constData() + e),
                                                 qMax(0, nameBytes / 2 - 1));
        if (type != 2 || entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QByteArray data;
        if (size >= cutoff) {
            data = regular(start);
        } else {
            quint32 s = start;
            for (qsizetype n = 0; s < quint32(miniFat.size()) && n < miniFat.size(); ++n) {
                if ((qsizetype(s) + 1) * mini > miniStream.size())
                    return {};
                data.append(miniStream.constData() + qsizetype(s) * mini, mini);
                s = miniFat[s];
            }
        }
        return data.size() >= qsizetype(size) ? data.left(size) : QByteArray();
    }
    return {};
}

// What the BIFF8 workbook says that libfreexl does not: number formats,
// the cells' formats and numbers, the sheets' visibility and the active one.
struct TBiffBook {
    struct TCell {
        int Xf = 0;
        bool IsNumber = false;
        double Value = 0;
        QString Text; // a boolean's, an error's or a formula's text
    };
    struct TSheet {
        QString Name;
        bool Hidden = false;
        quint32 Bof = 0;
    };
    QHash<int, QString> Formats;
    QList<int> XfFormat;
    QList<TSheet> Sheets; // worksheets only, as libfreexl lists them
    int ActiveTab = -1;   // among Sheets
    bool Date1904 = false;

    QString Code(int xf) const
    {
        // Writers save their own locale's codes for the built-in ids too;
        // those show as the Chinese locale does, as in an .xlsx.
        const int id = XfFormat.value(xf, 0);
        const QString builtin = BuiltinFormatCode(id);
        return Formats.contains(id) && (id >= 164 || builtin == QLatin1String("General")) ? Formats.value(id)
                                                                                           : builtin;
    }
};

QString BiffString(const QByteArray &b, qsizetype at, int count)
{
    if (at >= b.size())
        return {};
    const int flags = uchar(b[at++]);
    if (flags & 0x08)
        at += 2;
    if (flags & 0x04)
        at += 4;
    if (flags & 0x01) {
        count = int(qMin<qsizetype>(count, qMax<qsizetype>(0, (b.size() - at) / 2)));
        QString s(count, Qt::Uninitialized);
        for (int i = 0; i < count; ++i)
            s[i] = QChar(U16(b, at + 2 * i));
        return s;
    }
    count = int(qMin<qsizetype>(count, qMax<qsizetype>(0, b.size() - at)));
    return count > 0 ? QString::fromLatin1(b.constData() + at, count) : QString();
}

double RkValue(quint32 rk)
{
    double v;
    if (rk & 0x02) {
        v = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return rk & 0x01 ? v / 100 : v;
}

// Calls visit(type, body) for each record from at up to the next EOF.
template <typename F>
void WalkBiff(const QByteArray &stream, qsizetype at, F visit)
{
    while (at + 4 <= stream.size()) {
        const quint16 type = U16(stream, at), length = U16(stream, at + 2);
        if (at + 4 + length > stream.size())
            return;
        const QByteArray body = QByteArray::fromRawData(stream.constData() + at + 4, length);
        at += 4 + length;
        if (type == 0x000A || !visit(type, body))
            return;
    }
}

// False unless the workbook is BIFF8 and its worksheets are the sheets
// libfreexl lists (sheetCount of them).
bool ReadBiffBook(const QString &fileName, qsizetype sheetCount, TBiffBook &book, QByteArray *stream)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *stream = CompoundStream(file.readAll(), QStringLiteral("Workbook"));
    if (U16(*stream, 0) != 0x0809 || U16(*stream, 4) != 0x0600) // BIFF8 only
        return false;
    int sheetIndex = 0, activeAll = 0;
    QList<int> worksheetOf; // every sheet's place among worksheets, or -1
    WalkBiff(*stream, 0, [&](quint16 type, const QByteArray &b) {
        switch (type) {
        case 0x041E: book.Formats.insert(U16(b, 0), BiffString(b, 4, U16(b, 2))); break;
        case 0x00E0: book.XfFormat.append(U16(b, 2)); break;
        case 0x0022: book.Date1904 = U16(b, 0) == 1; break;
        case 0x003D:
            if (sheetIndex == 0)
                activeAll = U16(b, 10);
            break;
        case 0x0085:
            ++sheetIndex;
            if (b.size() >= 8 && uchar(b[5]) == 0) {
                worksheetOf.append(book.Sheets.size());
                book.Sheets.append({BiffString(b, 7, uchar(b[6])), (uchar(b[4]) & 0x03) != 0, U32(b, 0)});
            } else {
                worksheetOf.append(-1);
            }
            break;
        }
        return true;
    });
    book.ActiveTab = worksheetOf.value(activeAll, -1);
    return book.Sheets.size() == sheetCount;
}

QList<TSheetInfo> SheetInfos(const TBiffBook &book)
{
    QList<TSheetInfo> sheets;
    for (const auto &s : book.Sheets)
        sheets.append({s.Name, s.Hidden});
    return sheets;
}

// A worksheet's cells that carry a format: row << 16 | column to cell.
QHash<quint32, TBiffBook::TCell> ReadBiffCells(const QByteArray &stream, quint32 bof)
{
    QHash<quint32, TBiffBook::TCell> cells;
    if (U16(stream, bof) != 0x0809)
        return cells;
    quint32 formula = 0xFFFFFFFF; // the cell whose text result a STRING record gives
    auto key = [](quint32 row, quint32 col) { return row << 16 | (col & 0xFFFF); };
    auto put = [&](quint32 row, quint32 col, int xf, bool number, double value, const QString &text = QString()) {
        cells.insert(key(row, col), {xf, number, value, text});
    };
    auto boolOrError = [](bool isError, int v) -> QString {
        if (!isError)
            return v ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        switch (v) {
        case 0x00: return QStringLiteral("#NULL!");
        case 0x07: return QStringLiteral("#DIV/0!");
        case 0x0F: return QStringLiteral("#VALUE!");
        case 0x17: return QStringLiteral("#REF!");
        case 0x1D: return QStringLiteral("#NAME?");
        case 0x24: return QStringLiteral("#NUM!");
        default: return QStringLiteral("#N/A");
        }
    };
    WalkBiff(stream, qsizetype(bof) + 4 + U16(stream, bof + 2), [&](quint16 type, const QByteArray &b) {
        if (type == 0x0207) { // STRING: the text result of the FORMULA before
            if (cells.contains(formula))
                cells[formula].Text = CutShownText(BiffString(b, 2, U16(b, 0)));
            formula = 0xFFFFFFFF;
            return true;
        }
        if (b.size() < 6)
            return true;
        const quint16 row = U16(b, 0), col = U16(b, 2), xf = U16(b, 4);
        switch (type) {
        case 0x0203: // NUMBER
            if (b.size() >= 14) {
                double v;
                std::memcpy(&v, b.constData() + 6, sizeof v);
                put(row, col, xf, true, v);
            }
            break;
        case 0x027E: // RK
            if (b.size() >= 10)
                put(row, col, xf, true, RkValue(U32(b, 6)));
            break;
        case 0x00BD: // MULRK
            for (qsizetype i = 0; 4 + 6 * (i + 1) + 2 <= b.size(); ++i)
                put(row, col + i, U16(b, 4 + 6 * i), true, RkValue(U32(b, 6 + 6 * i)));
            break;
        case 0x0006: // FORMULA: a number unless its result's top bytes are 0xFFFF
            if (b.size() < 14)
                break;
            if (U16(b, 12) != 0xFFFF) {
                double v;
                std::memcpy(&v, b.constData() + 6, sizeof v);
                put(row, col, xf, true, v);
            } else if (uchar(b[6]) == 1 || uchar(b[6]) == 2) {
                put(row, col, xf, false, 0, boolOrError(uchar(b[6]) == 2, uchar(b[8])));
            } else if (uchar(b[6]) == 0) {
                put(row, col, xf, false, 0);
                formula = key(row, col);
            }
            break;
        case 0x0205: // BOOLERR
            if (b.size() >= 8)
                put(row, col, xf, false, 0, boolOrError(uchar(b[7]) != 0, uchar(b[6])));
            break;
        case 0x00FD: // LABELSST
        case 0x0204: // LABEL
            put(row, col, xf, false, 0);
            break;
        }
        return true;
    });
    return cells;
}

QString FreexlError(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return QCoreApplication::translate("Spreadsheet", "no such file");
    case FREEXL_INSUFFICIENT_MEMORY: return QCoreApplication::translate("Spreadsheet", "not enough memory");
    case FREEXL_UNSUPPORTED_CHARSET:
        return QCoreApplication::translate("Spreadsheet", "its character set is not supported");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_CFBF_EMPTY_FAT_CHAIN:
    case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
    case FREEXL_BIFF_INVALID_BOF:
    case FREEXL_BIFF_INVALID_SST:
    case FREEXL_BIFF_ILLEGAL_SST_INDEX:
        return QCoreApplication::translate("Spreadsheet", "it is not a readable .xls workbook");
    default:
        return QCoreApplication::translate("Spreadsheet", "it is not a readable .xls workbook (error %1)").arg(code);
    }
}

class TXls {
public:
    ~TXls()
    {
        if (handle_)
            freexl_close(handle_);
    }
    bool Open(const QString &fileName, QString *error)
    {
        const QFileInfo info(fileName);
        if (info.exists() && !info.isFile()) {
            if (error)
                *error = SheetErrorText(fileName, info.isDir()
                                                      ? QCoreApplication::translate("Spreadsheet", "it is a folder")
                                                      : QCoreApplication::translate("Spreadsheet", "it is not a file"));
            return false;
        }
        const int rc = freexl_open(QFile::encodeName(fileName).constData(), &handle_);
        if (rc != FREEXL_OK) {
            if (handle_)
                freexl_close(handle_);
            handle_ = nullptr;
            QString why = rc == FREEXL_FILE_NOT_FOUND ? QString() : NotASpreadsheetReason(fileName);
            if (error)
                *error = SheetErrorText(fileName, why.isEmpty() ? FreexlError(rc) : why);
            return false;
        }
        unsigned int password = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
            password == FREEXL_BIFF_OBFUSCATED) {
            if (error)
                *error = SheetErrorText(fileName, QCoreApplication::translate(
                                                      "Spreadsheet",
                                                      "the workbook is protected by a password; save it without one"));
            return false;
        }
        return true;
    }
    QStringList Names() const
    {
        unsigned int count = 0;
        freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count);
        QStringList names;
        for (unsigned int i = 0; i < count; ++i) {
            const char *name = nullptr;
            freexl_get_worksheet_name(handle_, (unsigned short)i, &name);
            names.append(name ? QString::fromUtf8(name) : QString());
        }
        return names;
    }
    const void *Handle() const { return handle_; }

private:
    const void *handle_ = nullptr;
};

class TXlsRows : public TSheetRows {
public:
    bool Open(const QString &fileName, int index, QString *error)
    {
        if (!xls_.Open(fileName, error))
            return false;
        const QStringList names = xls_.Names();
        QByteArray stream;
        const bool known = ReadBiffBook(fileName, names.size(), book_, &stream);
        if (index < 0)
            index = known ? OpeningSheet(SheetInfos(book_), book_.ActiveTab) : 0;
        sheet_ = names.value(index);
        if (known && index >= 0 && index < book_.Sheets.size())
            cells_ = ReadBiffCells(stream, book_.Sheets[index].Bof);
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(xls_.Handle(), (unsigned short)index) != FREEXL_OK ||
            freexl_worksheet_dimensions(xls_.Handle(), &rows_, &columns) != FREEXL_OK) {
            if (error)
                *error = SheetErrorText(fileName, QCoreApplication::translate("Spreadsheet", "the sheet is missing"));
            return false;
        }
        columns_ = columns;
        return true;
    }

    bool NextRow(TDataRow &row, qint64 &count) override
    {
        if (next_ >= rows_)
            return false;
        row.clear();
        dates_.clear();
        count = 1;
        for (int c = 0; c < columns_; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(xls_.Handle(), next_, (unsigned short)c, &v) != FREEXL_OK)
                continue;
            QString text;
            QDateTime when;
            const auto cell = cells_.constFind(next_ << 16 | quint32(c));
            if (cell != cells_.cend() && (cell->IsNumber || !cell->Text.isEmpty()))
                v.type = FREEXL_CELL_NULL;
            switch (v.type) {
            case FREEXL_CELL_INT: text = QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: text = ShortestNumberText(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                text = CutShownText(QString::fromUtf8(v.value.text_value));
                break;
            case FREEXL_CELL_DATE:
                text = QString::fromUtf8(v.value.text_value);
                when = IsoDateTime(text);
                break;
            case FREEXL_CELL_TIME: {
                text = QString::fromUtf8(v.value.text_value);
                const QTime time = QTime::fromString(text, Qt::ISODate);
                if (time.isValid())
                    when = DateSerialDateTime(time.msecsSinceStartOfDay() / 86400000.0);
                break;
            }
            case FREEXL_CELL_DATETIME:
                text = QString::fromUtf8(v.value.text_value).replace(u' ', u'T'); // ISO 8601
                when = IsoDateTime(text);
                break;
            default: break;
            }
            if (cell != cells_.cend()) {
                text = cell->IsNumber ? FormatNumber(cell->Value, book_.Code(cell->Xf), book_.Date1904)
                                      : FormatText(cell->Text.isEmpty() ? text : cell->Text, book_.Code(cell->Xf));
                if (cell->IsNumber && IsDateXf(cell->Xf))
                    when = DateSerialDateTime(cell->Value, book_.Date1904);
            }
            if (text.isEmpty())
                continue;
            if (when.isValid())
                dates_.append({c + 1, when});
            while (row.size() < c)
                row.append(QString());
            row.append(text);
        }
        ++next_;
        return true;
    }

    QString Error() const override { return QString(); }
    int DeclaredWidth() const override { return columns_; }
    QString SheetName() const override { return sheet_; }
    const TRowDates &RowDates() const override { return dates_; }

private:
    bool IsDateXf(int xf)
    {
        auto it = dateXf_.constFind(xf);
        if (it == dateXf_.cend())
            it = dateXf_.insert(xf, IsDateFormatCode(book_.Code(xf)));
        return *it;
    }

    TXls xls_;
    TBiffBook book_;
    QHash<quint32, TBiffBook::TCell> cells_;
    QHash<int, bool> dateXf_; // by cell format: its code shows dates or times
    TRowDates dates_;
    QString sheet_;
    unsigned int rows_ = 0, next_ = 0;
    int columns_ = 0;
};

} // namespace

QList<TSheetInfo> XlsSheets(const QString &fileName, int *active, QString *error)
{
    TXls xls;
    if (!xls.Open(fileName, error))
        return {};
    QList<TSheetInfo> sheets;
    const QStringList names = xls.Names();
    TBiffBook book;
    QByteArray stream;
    const bool known = ReadBiffBook(fileName, names.size(), book, &stream);
    for (int i = 0; i < names.size(); ++i)
        sheets.append({names[i], known && book.Sheets[i].Hidden});
    *active = known ? book.ActiveTab : -1;
    if (sheets.isEmpty() && error)
        *error = SheetErrorText(fileName, QCoreApplication::translate("Spreadsheet", "the workbook has no sheets"));
    return sheets;
}

std::unique_ptr<TSheetRows> OpenXlsRows(const QString &fileName, int index, QString *error)
{
    auto rows = std::make_unique<TXlsRows>();
    if (!rows->Open(fileName, index, error))
        return nullptr;
    return rows;
}
