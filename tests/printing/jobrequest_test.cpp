#include "barcode/barcode.h"
#include "printing/jobrequest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ParseCase {
    const char *name;
    const char *body;
    const char *field; // nullptr: accepted
};

template <class Part>
Part *AddPart(TLabelControl *item)
{
    auto part = std::make_unique<Part>();
    Part *p = part.get();
    item->Fields.push_back(std::move(part));
    item->Advanced = true;
    return p;
}

TLabelControl *AddBarcode(TItemContainer &label, int type, int size = 0)
{
    auto *item = new TBarcodeLabel;
    item->BarcodeType = quint8(type);
    item->BarcodeSize = size;
    label.AddItem(item);
    return item;
}

// 1: EAN-13 of SKU; 2: Code 128 of SKU with a Luhn digit; 3: a QR Code of
// version 1 (17 characters at most) of 名称, the asked 批号 and a counter.
struct SmallLabel {
    SmallLabel()
    {
        AddPart<TImportedField>(AddBarcode(label, bcEAN13))->FieldName = "SKU";
        TLabelControl *code128 = AddBarcode(label, bcCode128);
        AddPart<TImportedField>(code128)->FieldName = "SKU";
        AddPart<TCheckField>(code128)->Scheme = TCheckScheme::Luhn;
        TLabelControl *qr = AddBarcode(label, bcQRCode, 1);
        AddPart<TImportedField>(qr)->FieldName = "名称";
        TAskField *ask = AddPart<TAskField>(qr);
        ask->Name = "批号";
        ask->Pattern = "[0-9]{4}";
        ask->Default = "0001";
        counter = AddPart<TSequenceField>(qr);
        counter->Per = TCountPer::Record;
    }
    TItemContainer label;
    TSequenceField *counter = nullptr;
};

TJobRequest Request(const QStringList &columns, const QList<TDataRow> &records, QHash<QString, QString> values = {})
{
    TJobRequest req;
    req.Label = "a.lbl";
    req.Columns = columns;
    req.Records = records;
    req.Values = values;
    return req;
}

} // namespace

TEST(JobRequest, ParsesOrNamesTheField)
{
    const ParseCase cases[] = {
        {"minimal", R"({"label":"a.lbl"})", nullptr},
        {"everything", R"({"label":"价签.lbl","printer":"Q","title":"t","copies":3,"values":{"批号":"0420"},
                           "records":[{"SKU":"1"}]})", nullptr},
        {"nulls are absent", R"({"label":"a.lbl","title":null,"copies":null,"records":null})", nullptr},
        {"not JSON", R"({"label":"a.lbl",})", ""},
        {"not an object", R"(["a.lbl"])", ""},
        {"typo", R"({"label":"a.lbl","copy":2})", "copy"},
        {"no label", R"({"printer":"Q"})", "label"},
        {"label a number", R"({"label":5})", "label"},
        {"label in a folder", R"({"label":"../a.lbl"})", "label"},
        {"printer not a text", R"({"label":"a.lbl","printer":["Q"]})", "printer"},
        {"copies 0", R"({"label":"a.lbl","copies":0})", "copies"},
        {"copies 1000", R"({"label":"a.lbl","copies":1000})", "copies"},
        {"copies a fraction", R"({"label":"a.lbl","copies":1.5})", "copies"},
        {"copies a text", R"({"label":"a.lbl","copies":"2"})", "copies"},
        {"values an array", R"({"label":"a.lbl","values":["x"]})", "values"},
        {"value a number", R"({"label":"a.lbl","values":{"批号":420}})", "values.批号"},
        {"records an object", R"({"label":"a.lbl","records":{"SKU":"1"}})", "records"},
        {"record a text", R"({"label":"a.lbl","records":["1"]})", "records[0]"},
        {"kinds mixed", R"({"label":"a.lbl","records":[{"SKU":"1"},["2"]]})", "records[1]"},
        {"object in a record", R"({"label":"a.lbl","records":[{"SKU":"1"},{"SKU":{"v":2}}]})", "records[1].SKU"},
        {"true in an array", R"({"label":"a.lbl","records":[["1",true]]})", "records[0][1]"},
        {"digits lost", R"({"label":"a.lbl","records":[{"SKU":123456789012345678901234}]})", "records[0].SKU"},
        {"too many records", R"({"label":"a.lbl","records":[[],[],[],[]]})", "records"},
    };
    const TRequestLimits limits{1024, 3};
    for (const ParseCase &c : cases) {
        TJobRequest req;
        TRequestProblem problem{"unset", {}};
        const bool ok = ParseJobRequest(QByteArray(c.body), limits, &req, &problem);
        EXPECT_EQ(ok, c.field == nullptr) << c.name << ": " << problem.Message.toStdString();
        if (c.field) {
            EXPECT_EQ(problem.Field, QString::fromUtf8(c.field)) << c.name;
            EXPECT_FALSE(problem.Message.isEmpty()) << c.name;
        }
    }

    TJobRequest req;
    TRequestProblem problem;
    EXPECT_FALSE(ParseJobRequest(QByteArray(2000, ' '), limits, &req, &problem));
    EXPECT_EQ(problem.Field, "");

    // Columns in the order first written, cells by column; numbers as their
    // shortest text, exact up to 2^63 when written as integers.
    ASSERT_TRUE(ParseJobRequest(R"({"label":"a.lbl","copies":2,"values":{"批号":"0420"},"records":[
        {"名称":"螺丝","SKU":4006381333931,"价格":1.5},
        {"SKU":"B2","备注":"x\"y","名称":null},
        {"价格":1e-7,"SKU":1152921504606846977,"名称":-0.0}]})",
                                limits, &req, &problem))
        << problem.Message.toStdString();
    EXPECT_EQ(req.Copies, 2);
    EXPECT_EQ(req.Values.value("批号"), "0420");
    EXPECT_EQ(req.Columns, QStringList({"名称", "SKU", "价格", "备注"}));
    EXPECT_EQ(req.Records, QList<TDataRow>({{"螺丝", "4006381333931", "1.5", ""},
                                            {"", "B2", "", "x\"y"},
                                            {"0", "1152921504606846977", "1e-07", ""}}));

    ASSERT_TRUE(ParseJobRequest(R"({"label":"a.lbl","records":[["A",2,null],[],["B"]]})", limits, &req, &problem));
    EXPECT_TRUE(req.Columns.isEmpty());
    EXPECT_EQ(req.Records, QList<TDataRow>({{"A", "2", ""}, {}, {"B"}}));
}

TEST(JobRequest, SafeLabelName)
{
    const std::pair<QString, bool> cases[] = {
        {"价签.lbl", true},      {"a b-1.LBL", true},       {"a.lbl.bak", false},  {".lbl", false},
        {".hidden.lbl", false}, {"..", false},             {"../a.lbl", false},   {"d/a.lbl", false},
        {"d\\a.lbl", false},    {"a\n.lbl", false},        {"a\u0085.lbl", false}, {"a\u202Eibl.lbl", false},
        {"", false},            {QString(251, 'a') + ".lbl", true}, {QString(252, 'a') + ".lbl", false},
        {QString(84, u'价') + ".lbl", false},
    };
    for (const auto &[name, safe] : cases)
        EXPECT_EQ(SafeLabelName(name), safe) << name.toStdString();
}

TEST(JobRequest, CheckedAgainstTheLabel)
{
    const QStringList columns{"SKU", "名称"};
    const QList<TDataRow> good{{"400638133393", "螺丝"}, {"12", "垫圈"}, {"4", ""}};
    struct Case {
        const char *name;
        TJobRequest req;
        const char *field; // nullptr: accepted
        const char *says;
    } cases[] = {
        {"good", Request(columns, good, {{"批号", "0420"}}), nullptr, ""},
        {"default value", Request(columns, good), nullptr, ""},
        {"no records", Request({}, {}), "records", ""},
        {"arrays for named columns", Request({}, {{"1", "a"}}), "records", "SKU"},
        {"a column missing", Request({"SKU"}, {{"1"}}), "records", "名称"},
        {"value not asked", Request(columns, good, {{"批次", "1"}}), "values.批次", "批号"},
        {"value off its pattern", Request(columns, good, {{"批号", "12"}}), "values.批号", "[0-9]{4}"},
        {"no digit for EAN-13", Request(columns, {good[0], good[1], {"ABC", "x"}}), "records[2]", "Item 1"},
        {"Luhn over a letter", Request(columns, {good[0], {"12A", "x"}}), "records[1]", "Luhn"},
        {"too long for version 1", Request(columns, {{"1", QString(30, 'x')}}), "records[0]", "Item 3"},
    };
    for (const Case &c : cases) {
        SmallLabel small;
        small.counter->CurVal = 7;
        TRequestProblem problem;
        const bool ok = CheckJobRequest(small.label, c.req, &problem);
        EXPECT_EQ(ok, c.field == nullptr) << c.name << ": " << problem.Message.toStdString();
        if (c.field) {
            EXPECT_EQ(problem.Field, QString::fromUtf8(c.field)) << c.name;
            EXPECT_TRUE(problem.Message.contains(QString::fromUtf8(c.says))) << c.name << ": "
                                                                             << problem.Message.toStdString();
        }
        EXPECT_EQ(small.counter->CurVal, 7) << c.name;
    }

    // Columns by number: arrays, or enough named columns.
    SmallLabel byNumber;
    for (TLabelControl *item : byNumber.label.Items)
        static_cast<TImportedField *>(item->Fields[0].get())->FieldName.clear();
    static_cast<TImportedField *>(byNumber.label.Items[2]->Fields[0].get())->FieldNum = 2;
    TRequestProblem problem;
    EXPECT_TRUE(CheckJobRequest(byNumber.label, Request({}, {{"1", "a"}}), &problem)) << problem.Message.toStdString();
    EXPECT_FALSE(CheckJobRequest(byNumber.label, Request({"SKU"}, {{"1"}}), &problem));
    EXPECT_EQ(problem.Field, "records");

    // A large job is checked without drawing.
    SmallLabel small;
    QList<TDataRow> many;
    for (int i = 0; i < 10000; ++i)
        many.append({QString::number(400638133000 + i), QStringLiteral("螺丝%1").arg(i % 10)});
    EXPECT_TRUE(CheckJobRequest(small.label, Request(columns, many), &problem)) << problem.Message.toStdString();
}
