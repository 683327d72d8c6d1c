// The rules that differ between screen and paper, and the one drawing of an
// item putting its ink in the same place on both.

#include "barcode/barcode.h"
#include "model/labelformat.h"
#include "render/itemdraw.h"
#include "rendertestutil.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

using namespace rendertest;

namespace {

const TDrawTarget kScreen = TDrawTarget::Screen(96, 96);

TDrawTarget Paper(int dpiX, int dpiY = 0)
{
    return TDrawTarget::Paper(96, 96, dpiX, dpiY ? dpiY : dpiX);
}

} // namespace

TEST(DrawTarget, TextReferencePoint)
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

TEST(DrawTarget, MemoRectangle)
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

TEST(DrawTarget, BarcodeModule)
{
    struct Case {
        TDrawTarget target;
        int type, rotation;
        bool autoScale;
        int scale, expected;
    } cases[] = {
        {Paper(600), bcCode128, 0, true, 1, 7},
        {Paper(600), bcPostnet, 0, true, 1, 10},
        {Paper(600), bcCode128, 0, false, 2, 12},
        {Paper(600, 300), bcCode128, 1, true, 1, 3}, // length axis is vertical
        {Paper(600, 300), bcCode128, 2, false, 1, 6},
        {Paper(72), bcCode128, 0, true, 1, 1}, // too coarse for the rule: one pixel
        {Paper(600), bcCode39, 0, false, 0, 1},
        {kScreen, bcCode128, 0, true, 4, 1}, // the screen's module is the scale
        {kScreen, bcCode128, 0, false, 4, 4},
        {kScreen, bcCode128, 0, false, 5000, 9},
        {kScreen, bcCode128, 0, false, 0, 1},
    };
    for (const Case &c : cases) {
        TBarcodeLabel b;
        b.BarcodeType = c.type;
        b.Rotation = c.rotation;
        b.AutoScale = c.autoScale;
        b.Scale = c.scale;
        EXPECT_EQ(BarcodeModule(b, c.target), c.expected)
            << c.target.DeviceDpiX << " " << c.type << " " << c.rotation << " " << c.scale;
    }
}

TEST(DrawTarget, PictureCornerAndPenRules)
{
    const TDrawTarget paper = Paper(600);
    EXPECT_EQ(PictureSize(true, 600, 600, 200, 100, paper), QSize(600, 300));
    EXPECT_EQ(PictureSize(true, 600, 600, 100, 200, paper), QSize(300, 600));
    EXPECT_EQ(PictureSize(false, 600, 600, 200, 100, paper), QSize(600, 600));
    EXPECT_EQ(PictureSize(true, 600, 600, 0, 100, paper), QSize(600, 600));
    // The shorter side: 100 x 2/3 is 66.7, truncated on paper, rounded on screen.
    EXPECT_EQ(PictureSize(true, 100, 100, 300, 200, paper), QSize(100, 66));
    EXPECT_EQ(PictureSize(true, 100, 100, 300, 200, kScreen), QSize(100, 67));

    struct Corner {
        TDrawTarget target;
        int w, h;
        QSize corner;
    } corners[] = {
        {paper, 400, 100, {40, 20}},
        {paper, 3, 3, {3, 3}}, // would divide by zero
        {paper, 0, -5, {0, -5}},
        {paper, 30, 30, {15, 15}},   // sqrt(30) / 2 = 2.74, truncated
        {kScreen, 30, 30, {10, 10}}, // and rounded
        {paper, 25, 25, {12, 12}},
        {kScreen, 25, 25, {12, 12}}, // 2.5 rounded to even
        {kScreen, 100, 100, {20, 20}},
        {kScreen, 10, 10, {5, 5}},
        {kScreen, 400, 400, {40, 40}},
        {kScreen, 1, 1, {1, 1}},
        {kScreen, 0, 0, {0, 0}},
    };
    for (const Corner &c : corners)
        EXPECT_EQ(RoundRectCorner(c.w, c.h, c.target), c.corner) << c.target.DeviceDpiX << " " << c.w;

    struct Pen {
        int dpi, pen, hx;
    } pens[] = {{600, 1, 9}, {600, 2, 6}, {300, 1, 4}, {96, 1, 0}, {96, 3, 2}};
    for (const Pen &c : pens) {
        int hx = -1, hy = -1;
        ShapePenInsets(c.pen, Paper(c.dpi), hx, hy);
        EXPECT_EQ(hx, c.hx) << c.dpi << " " << c.pen;
        EXPECT_EQ(hy, c.hx) << c.dpi << " " << c.pen;
    }
}

// One drawing, two resolutions: each kind's ink lies where the same item's
// ink lies on screen, scaled, give or take a design pixel or two.
TEST(DrawTarget, SameInkOnScreenAndPaper)
{
    auto text = std::make_unique<TTextLabel>();
    text->Text = QStringLiteral("Quorvane");
    text->Font.Font = QFont(QStringLiteral("Arial"), 10);
    text->HorzAlign = iaRight;
    auto memo = std::make_unique<TMemoLabel>();
    memo->Text = QStringLiteral("two short\nlines");
    memo->Font.Font = QFont(QStringLiteral("Arial"), 10);
    memo->HorzAlign = iaCenter;
    memo->VertAlign = iaBottom;
    auto shape = std::make_unique<TShapeLabel>();
    shape->ShapeKind = skEllipse;
    shape->Pen.Width = 3;
    auto bar = std::make_unique<TBarcodeLabel>();
    bar->Text = QStringLiteral("12345");
    bar->BarcodeType = bcCode128;
    bar->HorzAlign = iaCenter;
    bar->Rotation = 1;
    bar->AutoScale = false; // an automatic module is the printer's own (1/80 inch)
    bar->Scale = 2;
    TLabelControl *items[] = {text.get(), memo.get(), shape.get(), bar.get()};

    const int scale = 6; // 576 dpi
    for (TLabelControl *item : items) {
        SCOPED_TRACE(int(item->Kind));
        item->Loading = false;
        item->AutoSize = false;
        item->Left = item->Top = 0;
        item->Width = 150;
        item->Height = 120;
        item->Transparent = false;
        QRect ink[2];
        for (int i = 0; i < 2; ++i) {
            const int k = i ? scale : 1;
            const TDrawTarget t = i ? TDrawTarget::Paper(96, 96, 96 * k, 96 * k) : kScreen;
            QImage img(200 * k, 160 * k, QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter p(&img);
            DrawPlacedItem(p, *item, item->Text, t, QPoint(10 * k, 10 * k));
            p.end();
            ink[i] = InkBox(img);
        }
        ASSERT_FALSE(ink[0].isEmpty());
        const QRect paper(ink[1].x() / scale, ink[1].y() / scale, ink[1].width() / scale, ink[1].height() / scale);
        EXPECT_NEAR(paper.left(), ink[0].left(), 2);
        EXPECT_NEAR(paper.top(), ink[0].top(), 2);
        EXPECT_NEAR(paper.right(), ink[0].right(), 2);
        EXPECT_NEAR(paper.bottom(), ink[0].bottom(), 2);
    }
}
