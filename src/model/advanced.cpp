#include "model/advanced.h"

#include "model/items.h"

#include <algorithm>

namespace {
const QString kText = QStringLiteral("TEXT");
const QString kField = QStringLiteral("FIELD");
const QString kSequence = QStringLiteral("SEQUENCE");
const QString kDate = QStringLiteral("DATE");

// Fill never grows a text beyond this many bytes: a size read from an edited
// label file must not exhaust memory (the editor allows at most 99).
constexpr int kMaxPadSize = 32767;

int CharLength(char32_t ch) { return ch < 0x80 ? 1 : 2; }

template <typename T>
const T *As(const TAdvancedField &f, const QString &tag)
{
    return f.FieldType == tag ? dynamic_cast<const T *>(&f) : nullptr;
}
} // namespace

std::unique_ptr<TAdvancedField> CloneField(const TAdvancedField &f)
{
    if (auto *t = dynamic_cast<const TTextField *>(&f))
        return std::make_unique<TTextField>(*t);
    if (auto *t = dynamic_cast<const TImportedField *>(&f))
        return std::make_unique<TImportedField>(*t);
    if (auto *t = dynamic_cast<const TSequenceField *>(&f))
        return std::make_unique<TSequenceField>(*t);
    if (auto *t = dynamic_cast<const TDateField *>(&f))
        return std::make_unique<TDateField>(*t);
    return std::make_unique<TAdvancedField>(f.FieldType);
}

TFieldList CloneFields(const TFieldList &fields)
{
    TFieldList out;
    out.reserve(fields.size());
    for (const auto &f : fields)
        if (f)
            out.push_back(CloneField(*f));
    return out;
}

int AnsiLength(const QString &s)
{
    int n = 0;
    for (char32_t ch : s.toUcs4())
        n += CharLength(ch);
    return n;
}

QString PadLeft(const QString &s, int size, QChar c)
{
    if (c.unicode() == 0)
        return s;
    const int target = std::min(size, kMaxPadSize);
    // A character counts at least 1: a text this long needs no fill, and its
    // length need not be counted.
    if (s.size() >= target)
        return s;
    const int step = CharLength(c.unicode());
    int len = AnsiLength(s);
    QString fill;
    while (len < target) {
        fill.append(c);
        len += step;
    }
    return fill + s;
}

QString PadRight(const QString &s, int size, QChar c)
{
    if (c.unicode() == 0)
        return s;
    const int target = std::min(size, kMaxPadSize);
    if (s.size() >= target)
        return s;
    const int step = CharLength(c.unicode());
    int len = AnsiLength(s);
    QString r = s;
    while (len < target) {
        r.append(c);
        len += step;
    }
    return r;
}

QString CutShownText(const QString &s)
{
    if (s.size() <= kMaxShownText)
        return s;
    const qsizetype n = s.at(kMaxShownText - 1).isHighSurrogate() ? kMaxShownText - 1 : kMaxShownText;
    return s.left(n);
}

namespace {
// Appends part unless r is already long enough; cuts r to maxLength.
void AppendUpTo(QString &r, const QString &part, qsizetype maxLength)
{
    if (maxLength < 0) {
        r += part;
        return;
    }
    if (r.size() >= maxLength)
        return;
    r += part.size() > maxLength ? part.left(maxLength) : part;
    if (r.size() > maxLength) {
        qsizetype n = maxLength;
        if (r.at(n - 1).isHighSurrogate())
            --n;
        r.truncate(n);
    }
}
} // namespace

QString FieldDesignText(const TAdvancedField &f)
{
    if (auto *t = As<TTextField>(f, kText))
        return t->Text;
    if (auto *t = As<TImportedField>(f, kField))
        return PadRight(QStringLiteral("F_") + QString::number(t->FieldNum), t->MinSize, t->PadChar);
    if (auto *t = As<TSequenceField>(f, kSequence))
        return PadLeft(QString::number(t->CurVal), t->MinSize, QLatin1Char('0'));
    if (auto *t = As<TDateField>(f, kDate))
        return FormatDateTime(t->Format, QDateTime::currentDateTime());
    return {};
}

QString FieldPrintText(const TAdvancedField &f, const TDataRow *row)
{
    if (auto *t = As<TImportedField>(f, kField)) {
        QString v;
        if (row && t->FieldNum >= 1 && t->FieldNum <= row->size())
            v = row->at(t->FieldNum - 1);
        return PadRight(v, t->MinSize, t->PadChar);
    }
    // The other kinds print what the design surface shows.
    return FieldDesignText(f);
}

QString ComposeDesignText(const TFieldList &fields, qsizetype maxLength)
{
    QString r;
    for (const auto &f : fields)
        if (f && (maxLength < 0 || r.size() < maxLength))
            AppendUpTo(r, FieldDesignText(*f), maxLength);
    return r;
}

QString ComposePrintText(TFieldList &fields, const TDataRow *row, bool advance, qsizetype maxLength)
{
    QString r;
    for (auto &f : fields) {
        if (!f)
            continue;
        if (maxLength < 0 || r.size() < maxLength)
            AppendUpTo(r, FieldPrintText(*f, row), maxLength);
        if (!advance || f->FieldType != kSequence)
            continue;
        if (auto *s = dynamic_cast<TSequenceField *>(f.get())) {
            // 64 bits so that a counter at the largest int wraps instead of overflowing.
            const qint64 next = qint64(s->CurVal) + 1;
            s->CurVal = next > s->MaxVal ? s->MinVal : static_cast<qint32>(next);
        }
    }
    return r;
}

qint32 SequenceValueAfter(qint32 curVal, qint32 minVal, qint32 maxVal, qint64 n)
{
    if (n <= 0)
        return curVal;
    // Up to maxVal from where it stands; a value at or beyond maxVal wraps at once.
    const qint64 toWrap = curVal < maxVal ? qint64(maxVal) - curVal + 1 : 1;
    if (n < toWrap)
        return static_cast<qint32>(curVal + n);
    n -= toWrap;
    // From minVal on it cycles through minVal..maxVal; with minVal >= maxVal it stays at minVal.
    if (minVal >= maxVal)
        return minVal;
    const qint64 period = qint64(maxVal) - minVal + 1;
    return static_cast<qint32>(minVal + n % period);
}

namespace {
bool HasTaggedField(const QList<TLabelControl *> &items, const QString &tag)
{
    for (const TLabelControl *item : items) {
        if (!item || !item->Advanced)
            continue;
        for (const auto &f : item->Fields)
            if (f && f->FieldType == tag)
                return true;
    }
    return false;
}
} // namespace

bool HasImportedField(const QList<TLabelControl *> &items)
{
    return HasTaggedField(items, kField);
}

bool HasSequenceField(const QList<TLabelControl *> &items)
{
    return HasTaggedField(items, kSequence);
}
