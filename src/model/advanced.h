#pragma once
// Composed ("advanced") text: an ordered list of parts, each literal text, a
// column of the current data record, a counter or the current date/time.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TLabelControl;

// The current record of the imported data file, column 1 first.
using TDataRow = QStringList;

class TAdvancedField {
public:
    explicit TAdvancedField(const QString &fieldType) : FieldType(fieldType) {}
    virtual ~TAdvancedField() = default;
    QString FieldType; // "TEXT", "FIELD", "SEQUENCE" or "DATE"
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
};

class TSequenceField : public TAdvancedField {
public:
    TSequenceField() : TAdvancedField(QStringLiteral("SEQUENCE")) {}
    qint32 CurVal = 0;
    qint32 MinVal = 0;
    qint32 MaxVal = 999999999;
    qint32 MinSize = 0;
};

class TDateField : public TAdvancedField {
public:
    TDateField() : TAdvancedField(QStringLiteral("DATE")) {}
    QString Format = QStringLiteral("YYYYMMDD");
};

using TFieldList = std::vector<std::unique_ptr<TAdvancedField>>;

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

QString FieldDesignText(const TAdvancedField &f);
QString FieldPrintText(const TAdvancedField &f, const TDataRow *row);
// maxLength (>= 0) cuts the result; parts beyond it are not composed, though
// counters still advance.
QString ComposeDesignText(const TFieldList &fields, qsizetype maxLength = -1);
QString ComposePrintText(TFieldList &fields, const TDataRow *row, bool advance, qsizetype maxLength = -1);
// The value a counter shows after it advanced n times from curVal, without
// stepping: up by one, back to minVal once beyond maxVal.
qint32 SequenceValueAfter(qint32 curVal, qint32 minVal, qint32 maxVal, qint64 n);

bool HasImportedField(const QList<TLabelControl *> &items);
bool HasSequenceField(const QList<TLabelControl *> &items);

// Date/time pattern formatter (d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn
// s ss am/pm a/p ampm / :), specifiers matched without regard to case.
QString FormatDateTime(const QString &pattern, const QDateTime &when,
                       const QLocale &locale = QLocale::system());
