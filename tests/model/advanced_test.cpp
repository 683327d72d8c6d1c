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
    l.push_back(std::move(d));
    TFieldList c = CloneFields(l);
    ASSERT_EQ(c.size(), l.size());
    for (size_t i = 0; i < l.size(); ++i) {
        EXPECT_NE(c[i].get(), l[i].get());
        EXPECT_EQ(c[i]->FieldType, l[i]->FieldType);
        EXPECT_EQ(typeid(*c[i]), typeid(*l[i]));
    }
    EXPECT_EQ(ComposeDesignText(c), ComposeDesignText(l));
    ComposePrintText(c, nullptr, true);
    EXPECT_EQ(CurVal(c, 2), 8);
    EXPECT_EQ(CurVal(l, 2), 7);
}
