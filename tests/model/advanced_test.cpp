#include "model/advanced.h"
#include "model/items.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {
std::unique_ptr<TImportedField> Column(int num, int size, QChar pad)
{
    auto f = std::make_unique<TImportedField>();
    f->FieldNum = num;
    f->MinSize = size;
    f->PadChar = pad;
    return f;
}

std::unique_ptr<TSequenceField> Counter(int cur, int min, int max, int size)
{
    auto f = std::make_unique<TSequenceField>();
    f->CurVal = cur;
    f->MinVal = min;
    f->MaxVal = max;
    f->MinSize = size;
    return f;
}

std::unique_ptr<TTextField> Literal(const QString &s)
{
    auto f = std::make_unique<TTextField>();
    f->Text = s;
    return f;
}

int CurVal(const TFieldList &l, size_t i) { return static_cast<TSequenceField *>(l[i].get())->CurVal; }
} // namespace

TEST(Advanced, Padding)
{
    const struct {
        QString s;
        int size;
        QChar c;
        QString left, right;
    } cases[] = {
        {"ab", 5, '0', "000ab", "ab000"},
        {"12345", 3, '0', "12345", "12345"},       // never cut
        {"ab", 5, QChar(0), "ab", "ab"},           // fill code 0: unchanged
        {"", 0, '*', "", ""},
        {QStringLiteral("中"), 4, '*', QStringLiteral("**中"), QStringLiteral("中**")},
        {"a", 4, QChar(0x4E00), QStringLiteral("一一a"), QStringLiteral("a一一")}, // 1, 3, then 5
        {"x", 2147483647, QChar(0), "x", "x"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(PadLeft(c.s, c.size, c.c), c.left) << c.s.toStdString() << " " << c.size;
        EXPECT_EQ(PadRight(c.s, c.size, c.c), c.right) << c.s.toStdString() << " " << c.size;
    }
    EXPECT_EQ(AnsiLength(QStringLiteral("ab中文")), 6);
    // A size from a damaged file neither hangs nor exhausts memory.
    EXPECT_LE(PadLeft("x", INT_MAX, '0').size(), 40000);
}

TEST(Advanced, ImportedColumn)
{
    const TDataRow two = {"x", "ab"};
    const TDataRow one = {"x"};
    const struct {
        int num, size;
        QChar pad;
        const TDataRow *row;
        QString print, design;
    } cases[] = {
        {2, 5, '0', &two, "ab000", "F_200"},
        {2, 5, '0', &one, "00000", "F_200"},
        {2, 5, '0', nullptr, "00000", "F_200"},
        {3, 6, '*', &two, "******", "F_3***"},
        {2, 0, ' ', nullptr, "", "F_2"},
        {0, 2, '-', &two, "--", "F_0"},  // column numbers below 1 give the empty value
        {-1, 0, ' ', &two, "", "F_-1"},
    };
    for (const auto &c : cases) {
        auto f = Column(c.num, c.size, c.pad);
        EXPECT_EQ(FieldPrintText(*f, c.row), c.print) << c.num;
        EXPECT_EQ(FieldDesignText(*f), c.design) << c.num;
    }
}

TEST(Advanced, CountersAdvanceAndWrap)
{
    const struct {
        int cur, min, max, size;
        QString printed;
        int next;
    } cases[] = {
        {7, 0, 999999999, 3, "007", 8},
        {9, 0, 9, 0, "9", 0},
        {12345, 0, 999999999, 3, "12345", 12346},
        {INT_MAX, 5, INT_MAX, 0, "2147483647", 5}, // no overflow at the largest int
        {20, 3, 10, 0, "20", 3},                  // beyond the maximum from a file
    };
    for (const auto &c : cases) {
        TFieldList l;
        l.push_back(Counter(c.cur, c.min, c.max, c.size));
        EXPECT_EQ(ComposeDesignText(l), c.printed);
        EXPECT_EQ(ComposePrintText(l, nullptr, false), c.printed);
        EXPECT_EQ(CurVal(l, 0), c.cur);
        EXPECT_EQ(ComposePrintText(l, nullptr, true), c.printed);
        EXPECT_EQ(CurVal(l, 0), c.next);
    }
}

TEST(Advanced, CounterValueAfterNAdvancesMatchesStepping)
{
    const struct {
        int cur, min, max;
    } cases[] = {
        {1, 1, 999999999}, {7, 0, 9}, {9, 0, 9}, {20, 3, 10}, {-5, 0, 3}, {-5, 2, 4},
        {5, 5, 5}, {7, 9, 3}, {INT_MAX - 3, 5, INT_MAX}, {INT_MIN, INT_MAX - 2, INT_MAX}, {0, INT_MIN, INT_MIN + 2},
    };
    for (const auto &c : cases) {
        TFieldList l;
        l.push_back(Counter(c.cur, c.min, c.max, 0));
        for (int n = 0; n <= 40; ++n) {
            EXPECT_EQ(SequenceValueAfter(c.cur, c.min, c.max, n), CurVal(l, 0))
                << c.cur << " " << c.min << " " << c.max << " after " << n;
            ComposePrintText(l, nullptr, true);
        }
    }
    // Far jobs do not step: 10^12 advances of a 0..9 counter from 3.
    EXPECT_EQ(SequenceValueAfter(3, 0, 9, 1000000000000LL), 3);
}

TEST(Advanced, CompositionInListOrder)
{
    TFieldList l;
    EXPECT_EQ(ComposeDesignText(l), QString());
    EXPECT_EQ(ComposePrintText(l, nullptr, true), QString());

    l.push_back(Literal("No."));
    l.push_back(Counter(1, 0, 99, 2));
    l.push_back(Literal("-"));
    l.push_back(Column(1, 0, ' '));
    l.push_back(Counter(98, 0, 99, 0));
    const TDataRow row = {"A"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ComposeDesignText(l), QStringLiteral("No.01-F_198"));
    EXPECT_EQ(ComposePrintText(l, &row, true), QStringLiteral("No.01-A98"));
    EXPECT_EQ(ComposePrintText(l, &row, true), QStringLiteral("No.02-A99"));
    EXPECT_EQ(ComposePrintText(l, &row, true), QStringLiteral("No.03-A0"));
    EXPECT_EQ(CurVal(l, 1), 4);
    EXPECT_EQ(CurVal(l, 4), 1);

    // What is shown is cut at a length no label shows (never inside a
    // surrogate pair); the counters after the cut still advance.
    const QString huge(3 * kMaxShownText, QLatin1Char('x'));
    const TDataRow big = {huge + QStringLiteral("y")};
    const QString shown = ComposePrintText(l, &big, true, kMaxShownText);
    EXPECT_EQ(shown.size(), kMaxShownText);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("No.04-xxx")));
    EXPECT_EQ(CurVal(l, 1), 5);
    EXPECT_EQ(CurVal(l, 4), 2);
    EXPECT_EQ(ComposePrintText(l, &big, false).size(), 3 * kMaxShownText + 8); // uncut where asked
    EXPECT_EQ(ComposeDesignText(l, 4), QStringLiteral("No.0"));
    const QString pairAtCut = QString(kMaxShownText - 1, QLatin1Char('a')) + QStringLiteral("\U0001F600");
    EXPECT_EQ(CutShownText(pairAtCut).size(), kMaxShownText - 1);
    TLabelControl *item = CreateItem(ikText);
    item->Text = huge;
    EXPECT_EQ(item->GetDesignText().size(), kMaxShownText);
    EXPECT_EQ(item->GetText(), huge); // saved whole
    delete item;
}

TEST(Advanced, TagsAreExact)
{
    TTextField lower;
    lower.FieldType = QStringLiteral("text");
    lower.Text = QStringLiteral("hidden");
    EXPECT_EQ(FieldDesignText(lower), QString());
    EXPECT_EQ(FieldPrintText(lower, nullptr), QString());

    TFieldList l;
    l.push_back(Counter(4, 0, 9, 0));
    l.back()->FieldType = QStringLiteral("sequence");
    EXPECT_EQ(ComposePrintText(l, nullptr, true), QString());
    EXPECT_EQ(CurVal(l, 0), 4);
}

TEST(Advanced, ItemQueries)
{
    TTextLabel plain, withCounter, withColumn;
    withCounter.Fields.push_back(Counter(0, 0, 9, 0));
    withColumn.Fields.push_back(Column(1, 0, ' '));
    QList<TLabelControl *> items = {&plain, &withCounter, &withColumn};
    // Parts of items that are not advanced do not count.
    EXPECT_FALSE(HasSequenceField(items));
    EXPECT_FALSE(HasImportedField(items));
    withCounter.Advanced = true;
    EXPECT_TRUE(HasSequenceField(items));
    EXPECT_FALSE(HasImportedField(items));
    withColumn.Advanced = true;
    EXPECT_TRUE(HasImportedField(items));
    EXPECT_FALSE(HasImportedField({}));
}

TEST(Advanced, CloneIsDeepAndKeepsValues)
{
    TFieldList l;
    l.push_back(Literal("a"));
    l.push_back(Column(3, 6, '*'));
    l.push_back(Counter(7, 1, 50, 3));
    auto d = std::make_unique<TDateField>();
    d->Format = QStringLiteral("yy");
    d->Offset = 3;
    l.push_back(std::move(d));
    auto ask = std::make_unique<TAskField>();
    ask->Pattern = "\\d+";
    l.push_back(std::move(ask));
    auto check = std::make_unique<TCheckField>();
    check->Over = "3";
    l.push_back(std::move(check));
    TFieldList c = CloneFields(l);
    ASSERT_EQ(c.size(), l.size());
    for (size_t i = 0; i < l.size(); ++i) {
        EXPECT_NE(c[i].get(), l[i].get());
        EXPECT_EQ(c[i]->FieldType, l[i]->FieldType);
        EXPECT_EQ(typeid(*c[i]), typeid(*l[i]));
        EXPECT_TRUE(SameField(*c[i], *l[i])) << i;
    }
    EXPECT_EQ(ComposeDesignText(c), ComposeDesignText(l));
    static_cast<TCheckField *>(c[5].get())->Over.clear();
    EXPECT_FALSE(SameField(*c[5], *l[5]));
    ComposePrintText(c, nullptr, true);
    EXPECT_EQ(CurVal(c, 2), 8);
    EXPECT_EQ(CurVal(l, 2), 7);
}

TEST(Advanced, CountersStepRepeatAndRadix)
{
    const struct {
        int cur, min, max, size, step, repeat;
        TCountRadix radix;
        QString printed; // successive label values, space-separated
    } cases[] = {
        {0, 0, 999999999, 0, 10, 1, TCountRadix::Decimal, "0 10 20 30"},
        {995, 0, 999, 0, 3, 1, TCountRadix::Decimal, "995 998 0 3"},   // past the maximum: the minimum
        {3, 1, 9, 2, -1, 1, TCountRadix::Decimal, "03 02 01 09 08"},    // below the minimum: the maximum
        {5, 0, 999, 0, 1, 2, TCountRadix::Decimal, "5 5 6 6 7"},
        {0, 0, 999, 0, -2, 3, TCountRadix::Decimal, "0 0 0 999 999 999 997"},
        {9, 0, 999, 2, 1, 1, TCountRadix::Hex, "09 0A 0B"},
        {255, 0, 999, 0, 1, 1, TCountRadix::Hex, "FF 100"},
        {0, 0, 999, 0, 1, 1, TCountRadix::Letters, "A B C"},
        {24, 0, 999, 0, 1, 1, TCountRadix::Letters, "Y Z AA AB"},
        {701, 0, 999, 0, 1, 1, TCountRadix::Letters, "ZZ AAA"},
        {2, 0, 3, 0, 1, 1, TCountRadix::Letters, "C D A"},
    };
    for (const auto &c : cases) {
        TFieldList l;
        auto counter = Counter(c.cur, c.min, c.max, c.size);
        counter->Step = c.step;
        counter->Repeat = c.repeat;
        counter->Radix = c.radix;
        l.push_back(std::move(counter));
        const QStringList want = c.printed.split(u' ');
        QStringList got;
        for (qsizetype n = 0; n < want.size(); ++n)
            got << ComposePrintText(l, nullptr, true);
        EXPECT_EQ(got, want) << c.printed.toStdString();
        // A jump over n labels lands where n single labels do.
        for (qint64 n : {0, 1, 5, 17, 1000}) {
            TSequenceField one = *static_cast<TSequenceField *>(Counter(c.cur, c.min, c.max, 0).get());
            one.Step = c.step;
            one.Repeat = c.repeat;
            TSequenceField jump = one;
            for (qint64 i = 0; i < n; ++i)
                CountSequence(one);
            CountSequence(jump, n);
            EXPECT_EQ(jump.CurVal, one.CurVal) << c.printed.toStdString() << " after " << n;
            EXPECT_EQ(jump.Pending, one.Pending);
        }
    }
}

TEST(Advanced, CountersPerRecordAndPageStepOnlyWhenTold)
{
    TTextLabel item;
    item.Advanced = true;
    for (TCountPer per : {TCountPer::Label, TCountPer::Record, TCountPer::Page}) {
        auto c = Counter(1, 0, 99, 0);
        c->Per = per;
        item.Fields.push_back(std::move(c));
    }
    const QList<TLabelControl *> items{&item};
    EXPECT_EQ(ComposePrintText(item.Fields, nullptr, true), "111");
    EXPECT_EQ(ComposePrintText(item.Fields, nullptr, true), "211");
    CountSequences(items, TCountPer::Record);
    EXPECT_EQ(ComposePrintText(item.Fields, nullptr, true), "321");
    CountSequences(items, TCountPer::Page, 3);
    EXPECT_EQ(ComposeDesignText(item.Fields), "424");
}

TEST(Advanced, DateOffsetsClampToTheMonthsEnd)
{
    const struct {
        QDate from;
        const char *offset;
        QDate to;
    } cases[] = {
        {{2025, 1, 31}, "+1m", {2025, 2, 28}},
        {{2024, 1, 31}, "+1m", {2024, 2, 29}},  // leap year
        {{2024, 2, 29}, "+1y", {2025, 2, 28}},
        {{2024, 2, 29}, "+4y", {2028, 2, 29}},
        {{2024, 2, 29}, "-12m", {2023, 2, 28}},
        {{2024, 3, 31}, "-1m", {2024, 2, 29}},
        {{2024, 1, 1}, "-1d", {2023, 12, 31}},
        {{2024, 12, 10}, "+180d", {2025, 6, 8}},
        {{2024, 8, 31}, "+6m", {2025, 2, 28}},
        {{2024, 11, 30}, "+3M", {2025, 2, 28}},
        {{2000, 2, 29}, "+100y", {2100, 2, 28}}, // 2100 is no leap year
    };
    for (const auto &c : cases) {
        qint32 amount = 0;
        QChar unit;
        ASSERT_TRUE(ParseDateOffset(QLatin1String(c.offset), &amount, &unit)) << c.offset;
        EXPECT_EQ(AddDateOffset(c.from, amount, unit), c.to) << c.offset << " from " << c.from.toString().toStdString();
    }
    for (const char *bad : {"", "180", "+d", "+1w", "1.5m", "++1d"})
        EXPECT_FALSE(ParseDateOffset(QLatin1String(bad), nullptr, nullptr)) << bad;
    EXPECT_EQ(DateOffsetText(-1, 'd'), "-1d");
    EXPECT_EQ(DateOffsetText(6, 'm'), "+6m");
}

TEST(Advanced, DatePartsReadTheirSource)
{
    const QDateTime now(QDate(2026, 12, 10), QTime(23, 30, 5));
    const TDataRow row{"SKU-1", "31/01/2026", "garbage"};
    const QStringList columns{"SKU", "Made", "Note"};
    const QHash<QString, QString> answers{{"PACKED", "2026-02-28"}};
    TComposeContext context;
    context.Row = &row;
    context.Columns = &columns;
    context.Answers = &answers;
    context.Now = now;
    context.CellDate = [](int column) { return column == 3 ? QDateTime(QDate(2020, 5, 6), QTime(7, 8)) : QDateTime(); };
    const struct {
        TDateSource source;
        const char *name, *input, *offset, *time, *format;
        QString out; // empty: unreadable
    } cases[] = {
        {TDateSource::Now, "", "yyyy-mm-dd", "+180d", "", "yyyy-mm-dd hh:nn", "2027-06-08 23:30"},
        {TDateSource::Now, "", "yyyy-mm-dd", "-1d", "08:00", "yyyy-mm-dd hh:nn", "2026-12-09 08:00"},
        {TDateSource::Column, "Made", "dd/mm/yyyy", "+1m", "", "yyyy年m月d日", QStringLiteral("2026年2月28日")},
        {TDateSource::Column, "made", "dd/mm/yyyy", "", "", "yyyymmdd 星期", QStringLiteral("20260131 星期六")},
        {TDateSource::Column, "2", "yyyy-mm-dd", "", "", "yymmdd", ""},   // the stated pattern does not read it
        {TDateSource::Column, "Note", "yyyy-mm-dd", "+1y", "", "yyyy-mm-dd hh:nn", "2021-05-06 07:08"}, // a date cell
        {TDateSource::Ask, "PACKED", "yyyy-mm-dd", "+2y", "", "dd.mm.yyyy", "28.02.2028"},
    };
    for (const auto &c : cases) {
        TDateField f;
        f.Source = c.source;
        f.SourceName = QString::fromUtf8(c.name);
        f.InputPattern = QString::fromUtf8(c.input);
        f.Format = QString::fromUtf8(c.format);
        f.TimeOfDay = QString::fromUtf8(c.time);
        if (*c.offset)
            ParseDateOffset(QLatin1String(c.offset), &f.Offset, &f.OffsetUnit);
        TComposeFailure failure;
        EXPECT_EQ(FieldPrintText(f, context, &failure), c.out) << c.format;
        EXPECT_EQ(bool(failure), c.out.isEmpty()) << c.format;
    }
}

TEST(Advanced, CheckDigitsMatchPublishedExamples)
{
    const struct {
        TCheckScheme scheme;
        const char *text, *digit; // digit empty: refused
    } cases[] = {
        {TCheckScheme::Gs1, "629104150021", "3"},        // GTIN-13 6291041500213
        {TCheckScheme::Gs1, "03600029145", "2"},         // GTIN-12 036000291452
        {TCheckScheme::Gs1, "37610425002123456", "9"},   // SSCC 376104250021234569
        {TCheckScheme::Gs1, "(01)123", ""},
        {TCheckScheme::Gs1, "", ""},
        {TCheckScheme::Luhn, "7992739871", "3"},
        {TCheckScheme::Luhn, "411111111111111", "1"},    // test card 4111 1111 1111 1111
        {TCheckScheme::Luhn, "12a", ""},
        {TCheckScheme::Mod11, "030640615", "2"},         // ISBN 0-306-40615-2
        {TCheckScheme::Mod11, "080442957", "X"},         // ISBN 0-8044-2957-X
        {TCheckScheme::Mod43, "CODE39", "W"},
        {TCheckScheme::Mod43, "code39", ""},             // lower case is not in the set
        {TCheckScheme::Mod97, "WEST12345698765432GB", "82"}, // IBAN GB82 WEST 1234 5698 7654 32
        {TCheckScheme::Mod97, "123-4", ""},
    };
    for (const auto &c : cases) {
        bool ok = false;
        const QString digit = CheckDigit(c.scheme, QLatin1String(c.text), &ok);
        EXPECT_EQ(digit, QLatin1String(c.digit)) << c.text;
        EXPECT_EQ(ok, *c.digit != 0) << c.text;
    }
}

TEST(Advanced, NamedColumnsAskedValuesAndCheckParts)
{
    TTextLabel item;
    item.Advanced = true;
    auto gtin = std::make_unique<TImportedField>();
    gtin->FieldName = "GTIN";
    item.Fields.push_back(std::move(gtin));
    auto check = std::make_unique<TCheckField>();
    item.Fields.push_back(std::move(check));
    item.Fields.push_back(Literal("/"));
    auto lot = std::make_unique<TAskField>();
    lot->Name = "LOT";
    lot->Default = "L1";
    item.Fields.push_back(std::move(lot));
    auto luhn = std::make_unique<TCheckField>();
    luhn->Scheme = TCheckScheme::Luhn;
    luhn->Over = "1-2";
    item.Fields.push_back(std::move(luhn));

    // The same name finds its column wherever the source puts it.
    const QHash<QString, QString> answers{{"LOT", "B7"}};
    for (const auto &[columns, row] : {std::pair{QStringList{"GTIN", "Name"}, TDataRow{"629104150021", "x"}},
                                       std::pair{QStringList{"Name", "gtin "}, TDataRow{"x", "629104150021"}}}) {
        TComposeContext context;
        context.Row = &row;
        context.Columns = &columns;
        context.Answers = &answers;
        TComposeFailure failure;
        EXPECT_EQ(ComposePrintText(item.Fields, context, true, -1, &failure), "6291041500213/B73");
        EXPECT_FALSE(failure);
    }
    EXPECT_EQ(ComposeDesignText(item.Fields), "F_GTIN?/L1?");
    // Letters in the covered text stop the job, naming the text.
    const TDataRow bad{"62910415002A"};
    const QStringList columns{"GTIN"};
    TComposeContext context;
    context.Row = &bad;
    context.Columns = &columns;
    TComposeFailure failure;
    ComposePrintText(item.Fields, context, false, -1, &failure);
    EXPECT_EQ(failure.What, TComposeFailure::CheckCharacters);
    EXPECT_EQ(failure.Text, "62910415002A");
    EXPECT_EQ(NamedColumns({&item}), QStringList{"GTIN"});
    EXPECT_TRUE(HasImportedField({&item}));
    EXPECT_EQ(CheckCoverage("1-2,4", 3, 5), (QList<int>{1, 2, 4}));
    EXPECT_EQ(CheckCoverage("", 3, 5), (QList<int>{1, 2}));
    EXPECT_TRUE(CheckCoverage("2-1", 3, 5).isEmpty());
    EXPECT_TRUE(CheckCoverage("a", 3, 5).isEmpty());
}

TEST(Advanced, AskedValuesResolveWithDefaultsAndPatterns)
{
    TTextLabel item;
    item.Advanced = true;
    auto ask = [&item](const char *name, const char *def, const char *pattern, int size) {
        auto a = std::make_unique<TAskField>();
        a->Name = name;
        a->Caption = QStringLiteral("批号");
        a->Default = def;
        a->Pattern = pattern;
        a->Size = size;
        item.Fields.push_back(std::move(a));
    };
    ask("LOT", "", "[A-Z]\\d{3}", 0);
    ask("SHIFT", "A", "", 1);
    ask("LOT", "X999", "", 0); // a second part of the same name asks nothing more
    auto date = std::make_unique<TDateField>();
    date->Source = TDateSource::Ask;
    date->SourceName = "PACKED";
    item.Fields.push_back(std::move(date));
    const QList<TLabelControl *> items{&item};
    ASSERT_EQ(AskedValues(items).size(), 3);
    EXPECT_EQ(AskedValues(items)[0].Default, "");
    EXPECT_EQ(AskedValues(items)[2].Name, "PACKED");

    const struct {
        QHash<QString, QString> given;
        TAnswerCheck result;
        const char *which;
    } cases[] = {
        {{{"LOT", "B123"}, {"PACKED", "2026-01-01"}}, TAnswerCheck::Ok, ""},
        {{{"PACKED", "2026-01-01"}}, TAnswerCheck::Missing, "LOT"},          // no value, no default
        {{{"LOT", "B12"}, {"PACKED", "x"}}, TAnswerCheck::NoMatch, "LOT"},   // the whole value must match
        {{{"LOT", "B123x"}}, TAnswerCheck::NoMatch, "LOT"},
        {{{"LOT", "B123"}, {"SHIFT", "AB"}}, TAnswerCheck::TooLong, "SHIFT"},
        {{{"LOT", "B123"}}, TAnswerCheck::Missing, "PACKED"},
    };
    for (const auto &c : cases) {
        QHash<QString, QString> answers;
        TAskedValue which;
        EXPECT_EQ(ResolveAnswers(items, c.given, &answers, &which), c.result) << c.which;
        if (c.result == TAnswerCheck::Ok)
            EXPECT_EQ(answers.value("SHIFT"), "A");
        else
            EXPECT_EQ(which.Name, QLatin1String(c.which));
    }
    EXPECT_EQ(CheckAnswer({"X", {}, {}, "(", 0}, "a"), TAnswerCheck::BadPattern);
}
