#pragma once
// Composed ("advanced") text: an ordered list of parts, each literal text, a
// column of the current data record, a counter, a date, a value asked when
// the job starts, or a check digit over other parts.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QHash>
#include <functional>
#include <memory>
#include <vector>

class TLabelControl;

// The current record of the imported data file, column 1 first.
using TDataRow = QStringList;

class TAdvancedField {
public:
    explicit TAdvancedField(const QString &fieldType) : FieldType(fieldType) {}
    virtual ~TAdvancedField() = default;
    QString FieldType; // "TEXT", "FIELD", "SEQUENCE", "DATE", "ASK" or "CHECK"
};

class TTextField : public TAdvancedField {
public:
    TTextField() : TAdvancedField(QStringLiteral("TEXT")) {}
    QString Text;
};

class TImportedField : public TAdvancedField {
public:
    TImportedField() : TAdvancedField(QStringLiteral("FIELD")) {}
    qint32 FieldNum = 1;
    qint32 MinSize = 0;
    QChar PadChar = QLatin1Char(' ');
    // The column's name in the source's header; when set it wins over FieldNum.
    QString FieldName;
};

// What a counter steps on: every label content, every record, every page.
enum class TCountPer { Label, Record, Page };
enum class TCountRadix { Decimal, Hex, Letters };

class TSequenceField : public TAdvancedField {
public:
    TSequenceField() : TAdvancedField(QStringLiteral("SEQUENCE")) {}
    qint32 CurVal = 0;
    qint32 MinVal = 0;
    qint32 MaxVal = 999999999;
    qint32 MinSize = 0;
    qint32 Step = 1;   // never 0; negative counts down (below MinVal wraps to MaxVal)
    qint32 Repeat = 1; // each value is printed on this many labels (or records, pages)
    TCountPer Per = TCountPer::Label;
    TCountRadix Radix = TCountRadix::Decimal;
    // Times the current value was counted since it last stepped; a job's
    // state, never saved.
    qint32 Pending = 0;
};

// Where a date part's date comes from.
enum class TDateSource { Now, Column, Ask };

class TDateField : public TAdvancedField {
public:
    TDateField() : TAdvancedField(QStringLiteral("DATE")) {}
    QString Format = QStringLiteral("YYYYMMDD");
    // Added to the source date: OffsetUnit 'd', 'm' or 'y'. Months and years
    // keep the day, or the month's last day when it has fewer.
    qint32 Offset = 0;
    QChar OffsetUnit = QLatin1Char('d');
    TDateSource Source = TDateSource::Now;
    // Column: a header name, or a number from 1 as text. Ask: the asked value's name.
    QString SourceName;
    // How a column's or an asked text is read, in the pattern language.
    QString InputPattern = QStringLiteral("yyyy-mm-dd");
    // A fixed time of day ("hh:nn" or "hh:nn:ss"); empty: the source's time
    // (the clock's for Now).
    QString TimeOfDay;
};

// A value the operator gives when the job starts (or --set NAME=VALUE).
class TAskField : public TAdvancedField {
public:
    TAskField() : TAdvancedField(QStringLiteral("ASK")) {}
    QString Name;
    QString Caption;
    QString Default;
    QString Pattern; // a regular expression the whole value must match; empty: any
    qint32 Size = 0; // longest value in characters; 0: any
};

enum class TCheckScheme { Gs1, Luhn, Mod43, Mod11, Mod97 };

// A check digit over the text of other parts of the same item.
class TCheckField : public TAdvancedField {
public:
    TCheckField() : TAdvancedField(QStringLiteral("CHECK")) {}
    TCheckScheme Scheme = TCheckScheme::Gs1;
    // Part numbers from 1, "1-3", "2,4" or "1-2,5"; empty: every earlier part.
    QString Over;
};

using TFieldList = std::vector<std::unique_ptr<TAdvancedField>>;

// True when two parts are of one kind with the same saved values.
bool SameField(const TAdvancedField &a, const TAdvancedField &b);
// A new part of the same class with the same values.
std::unique_ptr<TAdvancedField> CloneField(const TAdvancedField &f);
TFieldList CloneFields(const TFieldList &fields);

// Length as the Simplified-Chinese ANSI code page counts it: 1 for an ASCII
// character, 2 for any other.
int AnsiLength(const QString &s);

QString PadLeft(const QString &s, int size, QChar c);
QString PadRight(const QString &s, int size, QChar c);

// No label can show more text than this (in UTF-16 units) in one item. What
// an item shows or prints is cut to it before it is filtered, laid out or
// drawn, so that one enormous data field costs no more than a long one.
constexpr qsizetype kMaxShownText = 64 * 1024;
// s cut to kMaxShownText, never inside a surrogate pair.
QString CutShownText(const QString &s);

// What a composition reads besides its parts: the current record and the
// job's values. One context serves a whole job; only Row changes.
struct TComposeContext {
    const TDataRow *Row = nullptr;
    // The source's column names (its header line), column 1 first; null or
    // empty when the source has none.
    const QStringList *Columns = nullptr;
    // The date a column holds as a date cell (spreadsheets, databases),
    // column from 1; invalid, or no function, when it holds none.
    std::function<QDateTime(int column)> CellDate;
    // The asked values by name, as the job resolved them (ResolveAnswers).
    const QHash<QString, QString> *Answers = nullptr;
    // What "now" is; invalid: the clock, read at each composition.
    QDateTime Now;
};

// Why a part could not be composed: the job stops, naming the item and Text.
struct TComposeFailure {
    enum Kind {
        None,
        CheckCharacters, // Text holds a character Scheme does not take (or is empty)
        DateUnreadable,  // Text does not read as a date with Pattern
        ColumnMissing,   // no column named Name (Text) in the source
        AnswerMissing,   // no value for the asked Name
    } What = None;
    QString Text;
    QString Pattern;           // DateUnreadable: the input pattern
    TCheckScheme Scheme = TCheckScheme::Gs1;
    QString Name;              // the column or asked value concerned
    explicit operator bool() const { return What != None; }
};

QString FieldDesignText(const TAdvancedField &f);
QString FieldPrintText(const TAdvancedField &f, const TDataRow *row);
QString FieldPrintText(const TAdvancedField &f, const TComposeContext &context, TComposeFailure *failure = nullptr);
// maxLength (>= 0) cuts the result; parts beyond it are not composed, though
// counters still advance. Check parts are computed after the other parts,
// over the texts of the parts they cover.
QString ComposeDesignText(const TFieldList &fields, qsizetype maxLength = -1);
QString ComposePrintText(TFieldList &fields, const TDataRow *row, bool advance, qsizetype maxLength = -1);
// advance counts this label for the counters that count per label. The first
// failure is kept in *failure (the text is still composed, the part empty).
QString ComposePrintText(TFieldList &fields, const TComposeContext &context, bool advance, qsizetype maxLength,
                         TComposeFailure *failure);
// The value a counter shows after it advanced n times from curVal, without
// stepping: up by one, back to minVal once beyond maxVal.
qint32 SequenceValueAfter(qint32 curVal, qint32 minVal, qint32 maxVal, qint64 n);
// Counts n events for a counter (labels, records or pages, as it counts):
// every Repeat of them it steps by Step, wrapping at MinVal/MaxVal. O(1).
void CountSequence(TSequenceField &s, qint64 n = 1);
// Counts one event for every counter of the items' advanced parts that counts
// per record or per page (per is Record or Page).
void CountSequences(const QList<TLabelControl *> &items, TCountPer per, qint64 n = 1);
// A counter's value as it prints: in its radix, filled with "0" to MinSize.
QString SequenceText(const TSequenceField &s);
// A value in a radix: decimal, upper-case hexadecimal, or letters (0 is A,
// 25 Z, 26 AA); negative values with "-".
QString RadixText(qint64 value, TCountRadix radix);

// The check digit (mod97: two digits) of text, or an empty text with *ok
// false when text is empty or holds a character the scheme does not take.
// gs1: digits, weights 3,1 from the right; luhn: digits; mod43: the Code 39
// set; mod11: digits, ISBN-10 weights (10 gives X); mod97: ISO 7064 97-10
// over digits and letters (A=10 .. Z=35), two digits.
QString CheckDigit(TCheckScheme scheme, const QString &text, bool *ok = nullptr);
// Scheme names as the label file writes them: gs1 luhn mod43 mod11 mod97.
QString CheckSchemeName(TCheckScheme scheme);
bool ParseCheckScheme(const QString &name, TCheckScheme *scheme);
// The covered part numbers (from 1) of a check part at position self (from 1).
// Empty when over does not read.
QList<int> CheckCoverage(const QString &over, int self, int count);

// Date offsets as the label file writes them: "+180d", "-1d", "+6m", "+2y".
bool ParseDateOffset(const QString &text, qint32 *amount, QChar *unit);
QString DateOffsetText(qint32 amount, QChar unit);
// Months and years keep the day, or take the month's last day.
QDate AddDateOffset(const QDate &date, qint32 amount, QChar unit);
// Date sources as the label file writes them: "now", "column:NAME",
// "column:N", "ask:NAME".
bool ParseDateSource(const QString &text, TDateSource *source, QString *name);
QString DateSourceText(TDateSource source, const QString &name);
// Reads text written with a date/time pattern (d dd m mm mmm mmmm yy yyyy h
// hh n nn s ss, other characters literal; a space matches any run of
// spaces). Invalid when it does not read.
QDateTime ParseDateTime(const QString &pattern, const QString &text,
                        const QLocale &locale = QLocale::system());
// The date part's date and time for the context, before formatting;
// invalid with *failure set when its source cannot be read.
QDateTime DatePartMoment(const TDateField &f, const TComposeContext &context, TComposeFailure *failure = nullptr);

// A value asked when a job starts, from an ASK part or a date asked by name.
struct TAskedValue {
    QString Name, Caption, Default, Pattern;
    qint32 Size = 0;
};
// Every value the items ask for, once a name (the first part that names it
// gives caption and default), in item and part order.
QList<TAskedValue> AskedValues(const QList<TLabelControl *> &items);
enum class TAnswerCheck { Ok, Missing, TooLong, NoMatch, BadPattern };
TAnswerCheck CheckAnswer(const TAskedValue &asked, const QString &value);
// The values a job prints with: given ones (by name), else defaults. Ok, or
// the first failing check with *which naming the value.
TAnswerCheck ResolveAnswers(const QList<TLabelControl *> &items, const QHash<QString, QString> &given,
                            QHash<QString, QString> *answers, TAskedValue *which);
// The column (from 0) a name stands for among a source's names: the same
// name first, else the first one equal when case and surrounding blanks are
// ignored; -1 when none is, and for a blank name (an unnamed column is not
// called "").
int ColumnIndexByName(const QStringList &names, const QString &name);
// A column named by a number from 1 or a header name (exact, else trimmed
// and without regard to case): its number from 1, 0 when there is none.
int FindColumn(const QString &nameOrNumber, const QStringList *columns);
// The column names the items use (named columns and dates read from named
// columns), once each, in order.
QStringList NamedColumns(const QList<TLabelControl *> &items);

// True when a part reads the data source (a column, or a date from a column).
bool HasImportedField(const QList<TLabelControl *> &items);
bool HasSequenceField(const QList<TLabelControl *> &items);

// Date/time pattern formatter (d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn
// s ss am/pm a/p ampm / :, and 星期 for the Chinese weekday 星期一..星期日),
// specifiers matched without regard to case.
QString FormatDateTime(const QString &pattern, const QDateTime &when,
                       const QLocale &locale = QLocale::system());
