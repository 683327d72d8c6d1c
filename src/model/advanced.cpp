#include "model/advanced.h"

#include "model/items.h"

#include <algorithm>

namespace {
const QString kText = QStringLiteral("TEXT");
const QString kField = QStringLiteral("FIELD");
const QString kSequence = QStringLiteral("SEQUENCE");
const QString kDate = QStringLiteral("DATE");
const QString kAsk = QStringLiteral("ASK");
const QString kCheck = QStringLiteral("CHECK");

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
    if (auto *t = dynamic_cast<const TAskField *>(&f))
        return std::make_unique<TAskField>(*t);
    if (auto *t = dynamic_cast<const TCheckField *>(&f))
        return std::make_unique<TCheckField>(*t);
    return std::make_unique<TAdvancedField>(f.FieldType);
}

bool SameField(const TAdvancedField &a, const TAdvancedField &b)
{
    if (a.FieldType != b.FieldType)
        return false;
    if (auto *x = dynamic_cast<const TTextField *>(&a)) {
        auto *y = dynamic_cast<const TTextField *>(&b);
        return y && x->Text == y->Text;
    }
    if (auto *x = dynamic_cast<const TImportedField *>(&a)) {
        auto *y = dynamic_cast<const TImportedField *>(&b);
        return y && x->FieldNum == y->FieldNum && x->MinSize == y->MinSize && x->PadChar == y->PadChar
               && x->FieldName == y->FieldName;
    }
    if (auto *x = dynamic_cast<const TSequenceField *>(&a)) {
        auto *y = dynamic_cast<const TSequenceField *>(&b);
        return y && x->CurVal == y->CurVal && x->MinVal == y->MinVal && x->MaxVal == y->MaxVal
               && x->MinSize == y->MinSize && x->Step == y->Step && x->Repeat == y->Repeat && x->Per == y->Per
               && x->Radix == y->Radix;
    }
    if (auto *x = dynamic_cast<const TDateField *>(&a)) {
        auto *y = dynamic_cast<const TDateField *>(&b);
        return y && x->Format == y->Format && x->Offset == y->Offset && x->OffsetUnit == y->OffsetUnit
               && x->Source == y->Source && x->SourceName == y->SourceName && x->InputPattern == y->InputPattern
               && x->TimeOfDay == y->TimeOfDay;
    }
    if (auto *x = dynamic_cast<const TAskField *>(&a)) {
        auto *y = dynamic_cast<const TAskField *>(&b);
        return y && x->Name == y->Name && x->Caption == y->Caption && x->Default == y->Default
               && x->Pattern == y->Pattern && x->Size == y->Size;
    }
    if (auto *x = dynamic_cast<const TCheckField *>(&a)) {
        auto *y = dynamic_cast<const TCheckField *>(&b);
        return y && x->Scheme == y->Scheme && x->Over == y->Over;
    }
    return true;
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
        return PadRight(QStringLiteral("F_") + (t->FieldName.isEmpty() ? QString::number(t->FieldNum) : t->FieldName),
                        t->MinSize, t->PadChar);
    if (auto *t = As<TSequenceField>(f, kSequence))
        return SequenceText(*t);
    if (auto *t = As<TDateField>(f, kDate))
        return FormatDateTime(t->Format, DatePartMoment(*t, TComposeContext{}));
    if (auto *t = As<TAskField>(f, kAsk))
        return t->Default.isEmpty() ? t->Name : t->Default;
    // Alone it has nothing to check: the scheme's name stands in.
    if (auto *t = As<TCheckField>(f, kCheck))
        return CheckSchemeName(t->Scheme);
    return {};
}

QString FieldPrintText(const TAdvancedField &f, const TDataRow *row)
{
    TComposeContext context;
    context.Row = row;
    return FieldPrintText(f, context);
}

QString FieldPrintText(const TAdvancedField &f, const TComposeContext &context, TComposeFailure *failure)
{
    if (auto *t = As<TImportedField>(f, kField)) {
        QString v;
        const int column = t->FieldName.isEmpty() ? t->FieldNum : FindColumn(t->FieldName, context.Columns);
        if (context.Row && column >= 1 && column <= context.Row->size())
            v = context.Row->at(column - 1);
        else if (context.Row && column == 0 && failure && !*failure)
            *failure = {TComposeFailure::ColumnMissing, t->FieldName, {}, {}, t->FieldName};
        return PadRight(v, t->MinSize, t->PadChar);
    }
    if (auto *t = As<TDateField>(f, kDate)) {
        const QDateTime when = DatePartMoment(*t, context, failure);
        return when.isValid() ? FormatDateTime(t->Format, when) : QString();
    }
    if (auto *t = As<TAskField>(f, kAsk)) {
        if (!context.Answers)
            return t->Default;
        const auto it = context.Answers->constFind(t->Name);
        if (it != context.Answers->cend())
            return *it;
        if (t->Default.isEmpty() && failure && !*failure)
            *failure = {TComposeFailure::AnswerMissing, {}, {}, {}, t->Name};
        return t->Default;
    }
    if (As<TCheckField>(f, kCheck))
        return {}; // composed with its item's other parts
    // The other kinds print what the design surface shows.
    return FieldDesignText(f);
}

namespace {
// Fills the texts of the check parts over the texts of the parts they
// cover, in list order (a check part covering a later check part sees it
// empty).
void ComposeChecks(const TFieldList &fields, QStringList &texts, TComposeFailure *failure, bool design)
{
    const int count = int(fields.size());
    for (int k = 0; k < count; ++k) {
        auto *c = fields[k] ? As<TCheckField>(*fields[k], kCheck) : nullptr;
        if (!c)
            continue;
        QString over;
        for (int part : CheckCoverage(c->Over, k + 1, count))
            over += texts[part - 1];
        bool ok = false;
        const QString digit = CheckDigit(c->Scheme, over, &ok);
        if (ok) {
            texts[k] = digit;
        } else if (design) {
            texts[k] = c->Scheme == TCheckScheme::Mod97 ? QStringLiteral("??") : QStringLiteral("?");
        } else if (failure && !*failure) {
            *failure = {TComposeFailure::CheckCharacters, over, {}, c->Scheme, {}};
        }
    }
}

QString Join(const QStringList &texts, qsizetype maxLength)
{
    QString r;
    for (const QString &t : texts)
        if (maxLength < 0 || r.size() < maxLength)
            AppendUpTo(r, t, maxLength);
    return r;
}
} // namespace

QString ComposeDesignText(const TFieldList &fields, qsizetype maxLength)
{
    QStringList texts;
    texts.reserve(qsizetype(fields.size()));
    for (const auto &f : fields)
        texts << (f ? FieldDesignText(*f) : QString());
    ComposeChecks(fields, texts, nullptr, true);
    return Join(texts, maxLength);
}

QString ComposePrintText(TFieldList &fields, const TDataRow *row, bool advance, qsizetype maxLength)
{
    TComposeContext context;
    context.Row = row;
    return ComposePrintText(fields, context, advance, maxLength, nullptr);
}

QString ComposePrintText(TFieldList &fields, const TComposeContext &context, bool advance, qsizetype maxLength,
                         TComposeFailure *failure)
{
    QStringList texts;
    texts.reserve(qsizetype(fields.size()));
    for (auto &f : fields) {
        if (!f) {
            texts << QString();
            continue;
        }
        texts << FieldPrintText(*f, context, failure);
        if (!advance || f->FieldType != kSequence)
            continue;
        if (auto *s = dynamic_cast<TSequenceField *>(f.get()); s && s->Per == TCountPer::Label)
            CountSequence(*s);
    }
    ComposeChecks(fields, texts, failure, false);
    return Join(texts, maxLength);
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
    if (HasTaggedField(items, kField))
        return true;
    for (const TLabelControl *item : items) {
        if (!item || !item->Advanced)
            continue;
        for (const auto &f : item->Fields)
            if (auto *d = f ? As<TDateField>(*f, kDate) : nullptr; d && d->Source == TDateSource::Column)
                return true;
    }
    return false;
}

bool HasSequenceField(const QList<TLabelControl *> &items)
{
    return HasTaggedField(items, kSequence);
}
