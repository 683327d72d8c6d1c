#pragma once
// The text a spreadsheet shows for a cell's stored value: its number format
// applied (one formatter for .xlsx, .ods and .xls), numbers without binary
// noise, date serials as dates.

#include <QDateTime>
#include <QString>

// The shortest text that reads back as the same double (0.1 as "0.1"), in
// plain digits from 1e-5 up to 1e15 and with an exponent beyond ("1e+20").
QString ShortestNumberText(double value);

// True when a number format code shows dates or times (y m d h s outside
// quotes, escapes and brackets; "[h]" elapsed hours too).
bool IsDateFormatCode(const QString &code);
// The built-in date formats as codes ("" for ids that are not built-in date
// formats; the short date, id 14, as yyyy-mm-dd).
QString BuiltinDateFormatCode(int numFmtId);
// The code of a built-in number format id, the Chinese locale's date ids
// among them; "General" for ids with no code of their own.
QString BuiltinFormatCode(int numFmtId);

// A number as a cell with the number format code shows it: sections for
// positive, negative, zero (colours and conditions ignored), decimals,
// thousands separators, percent, scientific, leading zeros, literal text,
// dates and times. "General" and codes this reader cannot follow show the
// number as ShortestNumberText does.
QString FormatNumber(double value, const QString &code, bool date1904 = false);
// A text cell under a code: its text section ("@" the text), else the text.
QString FormatText(const QString &text, const QString &code);

// A date serial (days since 1899-12-30, or since 1904-01-01 when date1904)
// as the format code shows it; ISO 8601 (yyyy-MM-dd, HH:mm:ss or both with
// "T") when the code is empty or holds what this reader does not know.
QString FormatDateSerial(double serial, const QString &code, bool date1904 = false);

// A date serial as a local date and time to the millisecond (a time alone,
// below 1, on day 0: 1899-12-31, or 1904-01-01 when date1904); invalid for
// what no date is (negative, beyond 9999, the 1900 system's 29 February).
QDateTime DateSerialDateTime(double serial, bool date1904 = false);
// The date and time an ISO 8601 text names ("2024-03-05", with "T10:30:00"
// or " 10:30:00.5"); a zone it names is kept. Invalid otherwise.
QDateTime IsoDateTime(const QString &text);

// Spreadsheet column letters ("A", "AB") as a number from 1; 0 when none.
int ColumnNumber(QStringView letters);
