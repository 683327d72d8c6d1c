// Every row of the item property table: a value other than the item's own
// survives a copy, an undo state and a label file written and read again.
#include "barcode/barcode.h"
#include "model/itemproperties.h"
#include "model/labelformat.h"
#include "model/labelundo.h"
#include "storage/labelfile.h"

#include <QTemporaryDir>
#include <string_view>
#include <gtest/gtest.h>

namespace {

// The first symbology that offers every option the item has, so that they
// are written and kept.
int SymbologyKeepingOptions(const TBarcodeLabel &b)
{
    const TBarcodeOptions o{b.BarcodeEcc, b.BarcodeSize, b.BarcodeRectangular};
    for (int type = 0; type < kSymbologyCount; ++type) {
        const TBarcodeOptions kept = OfferedOptions(type, o);
        if (kept.ecc == o.ecc && kept.size == o.size && kept.rectangular == o.rectangular)
            return type;
    }
    return -1;
}

// The far end of the row's range from the item's value; colours, which
// have none, another colour.
int OtherValue(const TItemProperty &row, int current)
{
    if (std::string_view(row.Key) == "BCTYPE")
        return kSymbologyCount - 1; // the engine's list is shorter than a byte
    if (row.Min == row.Max)
        return current ^ 0x123456;
    return current == row.Max ? row.Min : row.Max;
}

TEST(ItemPropertiesTest, EveryRowSurvivesCopyUndoAndFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("row.lbl"));
    for (TItemKind kind : {ikBarcode, ikText, ikMemo, ikShape, ikGraphic}) {
        for (auto rows : {CommonProperties(), KindProperties(kind)}) {
            for (const TItemProperty &row : rows) {
                SCOPED_TRACE(std::to_string(kind) + " " + row.Key);
                TItemContainer labels;
                labels.SetSurfaceSize(800, 600);
                TLabelControl *item = CreateItem(kind);
                item->Loading = false;
                labels.AddItem(item);
                const int own = row.Get(*item);
                const int value = OtherValue(row, own);
                ASSERT_NE(value, own);
                row.Put(*item, value);
                if (row.Has(kpSymbologyOption)) {
                    const int type = SymbologyKeepingOptions(*static_cast<TBarcodeLabel *>(item));
                    ASSERT_GE(type, 0);
                    static_cast<TBarcodeLabel *>(item)->BarcodeType = quint8(type);
                }

                EXPECT_EQ(row.Get(*item->Clone()), value);

                const auto before = ItemSnapshot(*item);
                std::unique_ptr<TLabelControl> other(CreateItem(kind));
                RestoreItemState(*other, *before);
                EXPECT_EQ(row.Get(*other), value);
                row.Put(*other, own);
                EXPECT_FALSE(SameItemState(*item, *other));

                ASSERT_TRUE(SaveLabelFile(file, labels));
                TItemContainer back;
                back.SetSurfaceSize(800, 600);
                ASSERT_TRUE(LoadLabelFile(file, back));
                ASSERT_EQ(back.Items.size(), 1);
                EXPECT_EQ(row.Get(*back.Items[0]), value);
            }
        }
    }
}

} // namespace
