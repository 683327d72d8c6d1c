// .xls (BIFF) through libfreexl, which reads the workbook into memory: the
// format holds at most 65,536 rows, so that stays small.

#include "printing/sheetcells.h"
#include "printing/sheetrows.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <freexl.h>

namespace {

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
        // libfreexl tells neither which sheet is active nor which are hidden.
        index = qMax(0, index);
        sheet_ = xls_.Names().value(index);
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
        count = 1;
        for (int c = 0; c < columns_; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(xls_.Handle(), next_, (unsigned short)c, &v) != FREEXL_OK)
                continue;
            QString text;
            switch (v.type) {
            case FREEXL_CELL_INT: text = QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: text = ShortestNumberText(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_TIME:
                text = CutShownText(QString::fromUtf8(v.value.text_value));
                break;
            case FREEXL_CELL_DATETIME:
                text = QString::fromUtf8(v.value.text_value).replace(u' ', u'T'); // ISO 8601
                break;
            default: break;
            }
            if (text.isEmpty())
                continue;
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

private:
    TXls xls_;
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
    for (const QString &name : xls.Names())
        sheets.append({name, false});
    *active = -1;
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
