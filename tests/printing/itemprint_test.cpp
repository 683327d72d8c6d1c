#include "barcode/barcode.h"
#include "model/labelformat.h"
#include "printing/itemprint.h"
#include "printing/printengine.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A printer of the given resolution under a label designed at 96 dpi.
TPrintResolution Dpi(int printerDpiX, int printerDpiY)
{
    return {printerDpiX, printerDpiY, 96, 96};
}

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

TEST(ItemPrint, TextReferencePoint)
{
    const int X = 100, Y = 50, W = 1000, H = 300, TW = 400, TH = 60;
    struct Case {
        int rotation, horz, vert;
        QPoint expected;
    } cases[] = {
        {0, iaRight, iaTop, {X + 600, Y}},
        {0, iaLeft, iaTop, {X, Y}},
        {0, iaCenter, iaCenter, {X + 500 - 200, Y + 150 - 30}},
        {0, iaCenter, iaBottom, {X + 300, Y + H - TH}},
        {1, iaLeft, iaTop, {X + TH, Y}},  // reads downwards, cell to the left of the point
        {1, iaRight, iaBottom, {X + W, Y + H - TW}},
        {1, iaCenter, iaCenter, {X + 500 + 30, Y + 150 - 200}},
        {2, iaLeft, iaTop, {X + TW, Y + TH}},
        {2, iaCenter, iaBottom, {X + 500 + 200, Y + H}},
        {3, iaLeft, iaTop, {X, Y + TW}},
        {3, iaRight, iaCenter, {X + W - TH, Y + 150 + 200}},
        {0, iaClient, iaNone, {X, Y}}, // other values leave the corner
        {7, iaRight, iaBottom, {X, Y}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TextOrigin(c.rotation, c.horz, c.vert, X, Y, W, H, TW, TH), c.expected)
            << c.rotation << " " << c.horz << " " << c.vert;
}

TEST(ItemPrint, MemoRectangle)
{
    const int X = 10, Y = 20;
    struct Case {
        int horz, vert, W, H, tw, th;
        int left, top, right, bottom; // right and bottom exclusive
    } cases[] = {
        {iaCenter, iaTop, 301, 100, 100, 40, X + 100, Y, X + 200, Y + 40},
        {iaCenter, iaTop, 303, 100, 100, 40, X + 101, Y, X + 202, Y + 40}, // Round(201.5) = 202
        {iaLeft, iaTop, 300, 100, 120, 40, X, Y, X + 120, Y + 40},
        {iaRight, iaBottom, 300, 100, 120, 40, X + 180, Y + 60, X + 300, Y + 100},
        {iaLeft, iaCenter, 300, 101, 120, 41, X, Y + 50 - 20, X + 120, Y + 50 + 20},
    };
    for (const Case &c : cases) {
        const QRect r = MemoRect(c.horz, c.vert, X, Y, c.W, c.H, c.tw, c.th);
        EXPECT_EQ(r.left(), c.left);
        EXPECT_EQ(r.top(), c.top);
        EXPECT_EQ(r.right() + 1, c.right);
        EXPECT_EQ(r.bottom() + 1, c.bottom);
    }
}

TEST(ItemPrint, BarcodeModule)
{
    struct Case {
        int dpiX, dpiY, type, rotation;
        bool autoScale;
        int scale, expected;
    } cases[] = {
        {600, 600, bcCode128, 0, true, 1, 7},
        {600, 600, bcPostnet, 0, true, 1, 10},
        {600, 600, bcCode128, 0, false, 2, 12},
        {600, 300, bcCode128, 1, true, 1, 3},  // length axis is vertical
        {600, 300, bcCode128, 2, false, 1, 6},
        {72, 72, bcCode128, 0, true, 1, 1},    // too coarse for the rule: one pixel
        {600, 600, bcCode39, 0, false, 0, 1},
    };
    for (const Case &c : cases) {
        TBarcodeLabel b;
        b.BarcodeType = c.type;
        b.Rotation = c.rotation;
        b.AutoScale = c.autoScale;
        b.Scale = c.scale;
        EXPECT_EQ(BarcodeModule(b, Dpi(c.dpiX, c.dpiY)), c.expected) << c.dpiX << " " << c.type << " " << c.rotation;
    }
}

TEST(ItemPrint, PictureShapeAndCornerRules)
{
    EXPECT_EQ(PrinterPictureSize(true, 600, 600, 200, 100), QSize(600, 300));
    EXPECT_EQ(PrinterPictureSize(true, 600, 600, 100, 200), QSize(300, 600));
    EXPECT_EQ(PrinterPictureSize(false, 600, 600, 200, 100), QSize(600, 600));
    EXPECT_EQ(PrinterPictureSize(true, 600, 600, 0, 100), QSize(600, 600));

    EXPECT_EQ(PrinterRoundRectCorner(400, 100), QSize(40, 20));
    EXPECT_EQ(PrinterRoundRectCorner(3, 3), QSize(3, 3)); // would divide by zero
    EXPECT_EQ(PrinterRoundRectCorner(0, -5), QSize(0, -5));

    struct Case {
        int dpi, pen, hx;
    } cases[] = {{600, 1, 9}, {600, 2, 6}, {300, 1, 4}, {96, 1, 0}, {96, 3, 2}};
    for (const Case &c : cases) {
        int hx = -1, hy = -1;
        ShapePenInsets(c.pen, Dpi(c.dpi, c.dpi), hx, hy);
        EXPECT_EQ(hx, c.hx) << c.dpi << " " << c.pen;
        EXPECT_EQ(hy, c.hx) << c.dpi << " " << c.pen;
    }
}

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
