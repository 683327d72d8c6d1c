#include "printing/itemprint.h"
#include "printing/printengine.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Rightmost column holding a dark pixel, -1 when there is none.
int RightmostInk(const QImage &img)
{
    for (int x = img.width() - 1; x >= 0; --x)
        for (int y = 0; y < img.height(); ++y)
            if (qGray(img.pixel(x, y)) < 128)
                return x;
    return -1;
}

} // namespace

TEST(ItemPrint, ClipToTheBoxOrTheLabel)
{
    TPrinterMetrics paper;
    paper.PaperWidth = paper.PaperHeight = 1200;
    const TSheetLayout layout({1, 0.5, 0, 0, 0, 0, false}, paper, 96, 96); // 600 x 300 printer pixels
    struct Case {
        bool autoSize;
        int minInk, maxInk;
    } cases[] = {
        {false, 150, 187 + 6 - 1}, // box 30 design px = 187, widened by one design pixel
        {true, 194, 599},          // only the label's edge cuts
    };
    for (const Case &c : cases) {
        TItemContainer label;
        auto *t = new TTextLabel;
        t->Text = QStringLiteral("WWWWWWWWWWWWWWWWWWWW");
        t->Font.Font.setPointSize(15);
        label.AddItem(t);
        t->AutoSize = c.autoSize;
        t->Left = t->Top = 0;
        t->Width = 30;
        t->Height = 20;
        t->Transparent = true;
        QImage img(800, 400, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            PrintLabel(p, label.Items, layout, 0, 0, {});
        }
        const int ink = RightmostInk(img);
        EXPECT_GE(ink, c.minInk) << c.autoSize;
        EXPECT_LE(ink, c.maxInk) << c.autoSize;
    }
}
