// Print requests from other systems: any body is read or refused with a
// reason, never crashes or hangs, and what is read is checked against a
// label without drawing.

#include "fuzz_common.h"

#include "barcode/barcode.h"
#include "printing/jobrequest.h"

#include <QRegularExpression>

namespace {
template <class Part>
Part *AddPart(TLabelControl *item)
{
    auto part = std::make_unique<Part>();
    Part *p = part.get();
    item->Fields.push_back(std::move(part));
    item->Advanced = true;
    return p;
}

// An EAN-13 of the column SKU, a Code 128 of SKU with a GS1 digit and a
// value asked as LOT (a letter and up to five digits), and a text of column 2,
// the column 名称 and a date read from "made".
TItemContainer &Label()
{
    static TItemContainer *label = [] {
        auto *c = new TItemContainer;
        auto *ean = new TBarcodeLabel;
        ean->BarcodeType = bcEAN13;
        c->AddItem(ean);
        AddPart<TImportedField>(ean)->FieldName = QStringLiteral("SKU");
        auto *code128 = new TBarcodeLabel;
        code128->BarcodeType = bcCode128;
        c->AddItem(code128);
        AddPart<TImportedField>(code128)->FieldName = QStringLiteral("SKU");
        AddPart<TCheckField>(code128);
        auto *lot = AddPart<TAskField>(code128);
        lot->Name = QStringLiteral("LOT");
        lot->Pattern = QStringLiteral("[A-Z][0-9]{1,5}");
        lot->Size = 6;
        auto *text = new TTextLabel;
        c->AddItem(text);
        AddPart<TImportedField>(text)->FieldNum = 2;
        AddPart<TImportedField>(text)->FieldName = QStringLiteral("名称");
        auto *date = AddPart<TDateField>(text);
        date->Source = TDateSource::Column;
        date->SourceName = QStringLiteral("made");
        return c;
    }();
    return *label;
}

// Columns by number only: an Interleaved 2 of 5 of column 1 (digits, an
// even count) padded to 6 with '0', and 批号 asked with a default.
TItemContainer &NumberedLabel()
{
    static TItemContainer *label = [] {
        auto *c = new TItemContainer;
        auto *itf = new TBarcodeLabel;
        itf->BarcodeType = bcITF;
        c->AddItem(itf);
        auto *column = AddPart<TImportedField>(itf);
        column->MinSize = 6;
        column->PadChar = QLatin1Char('0');
        auto *text = new TTextLabel;
        c->AddItem(text);
        auto *batch = AddPart<TAskField>(text);
        batch->Name = QStringLiteral("批号");
        batch->Default = QStringLiteral("B1");
        batch->Pattern = QStringLiteral("B[0-9]+");
        return c;
    }();
    return *label;
}

// A refusal says why, and a place in the records names one that exists.
void CheckRefusal(const TJobRequest &req, const TRequestProblem &problem)
{
    FUZZ_CHECK(!problem.Message.isEmpty(), QStringLiteral("a refusal without a reason"));
    static const QRegularExpression record(QStringLiteral("^records\\[(\\d+)\\]"));
    const QRegularExpressionMatch m = record.match(problem.Field);
    if (m.hasMatch())
        FUZZ_CHECK(m.captured(1).toLongLong() < req.Records.size(), problem.Field);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    TRequestLimits limits;
    limits.MaxBodyBytes = 64 * 1024;
    limits.MaxRecords = 200; // composing every record must stay quick
    const QByteArray body = in.Rest();
    TJobRequest req;
    TRequestProblem problem;
    if (!ParseJobRequest(body, limits, &req, &problem)) {
        FUZZ_CHECK(!problem.Message.isEmpty(), QStringLiteral("a refusal without a reason"));
        return 0;
    }
    FUZZ_CHECK(req.Records.size() <= limits.MaxRecords, QString::number(req.Records.size()));
    if (!req.Columns.isEmpty())
        for (const TDataRow &row : req.Records)
            FUZZ_CHECK(row.size() == req.Columns.size(), QStringLiteral("a record of %1 values for %2 columns")
                                                             .arg(row.size()).arg(req.Columns.size()));
    if (SafeLabelName(req.Label))
        FUZZ_CHECK(!req.Label.contains(u'/') && !req.Label.contains(u'\\') && !req.Label.startsWith(u'.'), req.Label);
    for (const TItemContainer *label : {&Label(), &NumberedLabel()}) {
        problem = {};
        if (!CheckJobRequest(*label, req, &problem))
            CheckRefusal(req, problem);
    }
    return 0;
}
