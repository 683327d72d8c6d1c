// Item rendering: what each kind draws into its bitmap and how its box follows.

#include "barcode/barcode.h"
#include "render/itemdraw.h"
#include "render/itemrender.h"
#include "render/renderutil.h"
#include "rendertestutil.h"
#include "model/labelformat.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <gtest/gtest.h>
#include <memory>

using namespace rendertest;

namespace {

class RenderTest : public ::testing::Test {};

template <class T> std::unique_ptr<T> Make()
{
    auto item = std::make_unique<T>();
    item->Loading = false;
    return item;
}

std::unique_ptr<TTextLabel> TextItem(const QString &text, int rotation = 0)
{
    auto item = Make<TTextLabel>();
    item->Font.Font = QFont(QStringLiteral("Arial"), 8);
    item->Text = text;
    item->Rotation = quint8(rotation);
    return item;
}

} // namespace

TEST_F(RenderTest, EveryKindDoesNothingWhileLoadingAndClearsChangedSilentlyAfter)
{
    std::vector<std::unique_ptr<TLabelControl>> items;
    items.emplace_back(new TBarcodeLabel);
    items.emplace_back(new TTextLabel);
    items.emplace_back(new TMemoLabel);
    items.emplace_back(new TShapeLabel);
    items.emplace_back(new TGraphicLabel);
    for (auto &item : items) {
        SCOPED_TRACE(int(item->Kind));
        item->Text = QStringLiteral("12345");
        int raised = 0;
        item->OnChange = [&](TLabelControl *) { ++raised; };
        item->Loading = true;
        item->Changed = true;
        RenderItem(*item);
        EXPECT_TRUE(item->ItemBitmap.isNull());
        EXPECT_TRUE(item->Changed);

        item->Loading = false;
        RenderItem(*item);
        EXPECT_FALSE(item->ItemBitmap.isNull());
        EXPECT_FALSE(item->Changed);
        EXPECT_EQ(raised, 0);
    }
}

TEST_F(RenderTest, TextBitmapIsTheTextAndTheBoxFollows)
{
    auto item = TextItem(QStringLiteral("ABC"));
    item->Left = 7;
    item->Top = 9;
    RenderItem(*item);
    const QFontMetrics fm(ItemFont(item->Font, ScreenTarget(*item)));
    EXPECT_EQ(item->ItemBitmap.size(), QSize(fm.horizontalAdvance(QStringLiteral("ABC")), fm.height()));
    EXPECT_EQ(item->MinWidth, fm.horizontalAdvance(QStringLiteral("00")));
    EXPECT_EQ(item->MinHeight, fm.height());
    EXPECT_EQ(item->BoundsRect(), (TRect{7, 9, 7 + item->ItemBitmap.width(), 9 + item->ItemBitmap.height()}));
    const QRect ink = InkBox(item->ItemBitmap);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.left(), 2);
    // Black glyphs drawn without antialiasing: no other colour appears.
    int other = 0;
    for (int y = 0; y < item->ItemBitmap.height(); ++y)
        for (int x = 0; x < item->ItemBitmap.width(); ++x)
            other += Rgb(item->ItemBitmap, x, y) != 0 && Rgb(item->ItemBitmap, x, y) != 0xFFFFFF;
    EXPECT_EQ(other, 0);
    EXPECT_EQ(item->TransparentColor & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(RenderTest, RotatedTextTurnsTheBitmapClockwise)
{
    auto upright = TextItem(QStringLiteral("Mxx...."));
    RenderItem(*upright);
    const QImage r0 = upright->ItemBitmap;
    // Rotation r turns the text r quarter turns clockwise: the ink's box turns
    // with the bitmap (within a pixel of glyph rasterisation).
    const QRect ink0 = InkBox(r0);
    for (int r = 1; r <= 3; ++r) {
        SCOPED_TRACE(r);
        auto item = TextItem(QStringLiteral("Mxx...."), r);
        RenderItem(*item);
        const QSize expected = r == 2 ? r0.size() : r0.size().transposed();
        EXPECT_EQ(item->ItemBitmap.size(), expected);
        EXPECT_EQ(QSize(item->Width, item->Height), expected);
        const QTransform turn = QImage::trueMatrix(QTransform().rotate(90 * r), r0.width(), r0.height());
        const QRect want = turn.mapRect(QRectF(ink0)).toAlignedRect();
        const QRect got = InkBox(item->ItemBitmap);
        EXPECT_NEAR(got.left(), want.left(), 1);
        EXPECT_NEAR(got.top(), want.top(), 1);
        EXPECT_NEAR(got.right(), want.right() - 1, 1);
        EXPECT_NEAR(got.bottom(), want.bottom() - 1, 1);
        // Font minimum turns too.
        if (r != 2) {
            EXPECT_EQ(item->MinWidth, upright->MinHeight);
            EXPECT_EQ(item->MinHeight, upright->MinWidth);
        }
    }
    // Reading downwards: the heavy "M" is at the top at rotation 1.
    auto down = TextItem(QStringLiteral("Mxx...."), 1);
    RenderItem(*down);
    const QImage &img = down->ItemBitmap;
    EXPECT_GT(InkCount(img, QRect(0, 0, img.width(), img.height() / 3)),
              InkCount(img, QRect(0, img.height() * 2 / 3, img.width(), img.height())));
}

TEST_F(RenderTest, EmptyTextHoldsTheBoxAtItsMinimum)
{
    auto item = TextItem(QString());
    RenderItem(*item);
    EXPECT_TRUE(item->ItemBitmap.isNull());
    EXPECT_EQ(item->Width, item->MinWidth);
    EXPECT_GT(item->Width, 0);
    EXPECT_FALSE(item->Changed);
}

TEST_F(RenderTest, WhiteTextOnATransparentItemKeysOutBlack)
{
    struct Case {
        bool transparent;
        TColor color;
        QRgb background;
        bool inked;
    };
    const Case cases[] = {
        {true, clWhite, qRgb(0, 0, 0), true},
        {false, clWhite, qRgb(255, 255, 255), false}, // opaque white on white
        {true, clBlack, qRgb(255, 255, 255), true},
        {true, 0x0000FF, qRgb(255, 255, 255), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.color);
        auto item = TextItem(QStringLiteral("HELLO"));
        item->Transparent = c.transparent;
        item->BitmapTransparent = c.transparent;
        item->Font.Color = c.color;
        RenderItem(*item);
        EXPECT_EQ(item->TransparentColor & 0xFFFFFF, c.background & 0xFFFFFF);
        EXPECT_EQ(Rgb(item->ItemBitmap, 0, 0), c.background & 0xFFFFFF);
        // The glyphs are drawn in the font colour.
        EXPECT_EQ(InkCount(item->ItemBitmap, item->ItemBitmap.rect(), c.background) > 0, c.inked);
    }
}

TEST_F(RenderTest, MemoWrapsAtTheBoxWidthAndAlignsItsLines)
{
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog again");
    auto memo = Make<TMemoLabel>();
    memo->Font.Font = QFont(QStringLiteral("Arial"), 8);
    memo->Text = sentence;
    RenderItem(*memo);
    const QFontMetrics fm(ItemFont(memo->Font, ScreenTarget(*memo)));
    const QImage &img = memo->ItemBitmap;
    EXPECT_GE(img.height(), 3 * fm.height());
    EXPECT_LE(img.width(), 75);
    // A memo is not auto-sized by default: the box stays, the bitmap is taller.
    EXPECT_EQ(QSize(memo->Width, memo->Height), QSize(75, 30));

    // Line breaks in the text break lines.
    auto lines = Make<TMemoLabel>();
    lines->Text = QStringLiteral("A\r\nB\r\nC");
    RenderItem(*lines);
    const QFontMetrics lfm(ItemFont(lines->Font, ScreenTarget(*lines)));
    EXPECT_GE(lines->ItemBitmap.height(), 3 * lfm.height());
    EXPECT_LE(lines->ItemBitmap.height(), 3 * (lfm.lineSpacing() + 1));

    // The short last line sits left, centred or right within the widest one.
    const QString text = QStringLiteral("WWWWWW WWWWWW ii");
    struct Case {
        TItemAlign align;
        int expectLeft; // -1 left edge, 0 middle, 1 right edge
    };
    for (const Case c : {Case{iaLeft, -1}, Case{iaCenter, 0}, Case{iaRight, 1}}) {
        SCOPED_TRACE(int(c.align));
        auto m = Make<TMemoLabel>();
        m->Font.Font = QFont(QStringLiteral("Arial"), 8);
        m->Text = text;
        m->HorzAlign = c.align;
        RenderItem(*m);
        const QImage &b = m->ItemBitmap;
        const int lastTop = b.height() - fm.height();
        const QRect last = InkBox(b.copy(0, lastTop, b.width(), fm.height()));
        ASSERT_FALSE(last.isEmpty());
        const int mid = (last.left() + last.right()) / 2;
        if (c.expectLeft < 0)
            EXPECT_LE(last.left(), 2);
        else if (c.expectLeft > 0)
            EXPECT_GE(last.right(), b.width() - 3);
        else
            EXPECT_NEAR(mid, b.width() / 2, 3);
    }
}

TEST_F(RenderTest, AutoSizedMemoKeepsItsSizeWhenRenderedAgain)
{
    // Rendering again at the box the first rendering gave must give the same
    // box: a reloaded label would otherwise change under the user's eyes.
    struct Case {
        const char *text;
        int width;
        TItemAlign align;
    };
    const Case cases[] = {
        {"2026-12-08 22:29:52 ante meridiem", 19, iaLeft}, // every word longer than the box
        {"a bb ccc WWWWWWWWWWWW dd e ff", 30, iaLeft},     // one long word among short ones
        {"a bb ccc WWWWWWWWWWWW dd e ff", 30, iaCenter},
        {"a bb ccc WWWWWWWWWWWW dd e ff", 30, iaRight},
        {"The quick brown fox jumps over the lazy dog", 75, iaLeft}, // no long word
        {"short\r\nWWWWWWWWWWWWWWWW x y z", 25, iaCenter},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        auto m = Make<TMemoLabel>();
        m->Font.Font = QFont(QStringLiteral("Courier New"), 8);
        m->Text = QString::fromUtf8(c.text);
        m->HorzAlign = c.align;
        m->AutoSize = true;
        m->Width = c.width;
        RenderItem(*m);
        const QSize first(m->Width, m->Height);
        EXPECT_EQ(first, m->ItemBitmap.size().expandedTo(QSize(m->MinWidth, m->MinHeight)));
        RenderItem(*m);
        EXPECT_EQ(QSize(m->Width, m->Height), first);
    }
}

TEST_F(RenderTest, RectanglePenStaysInsideTheBitmap)
{
    for (int p : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(p);
        auto shape = Make<TShapeLabel>();
        shape->Width = 40;
        shape->Height = 30;
        shape->Pen.Width = p;
        RenderItem(*shape);
        const QImage &img = shape->ItemBitmap;
        ASSERT_EQ(img.size(), QSize(40, 30));
        const int cx = 20, cy = 15;
        for (int k = 0; k < p; ++k) {
            EXPECT_EQ(Rgb(img, cx, k), 0u) << "top " << k;
            EXPECT_EQ(Rgb(img, cx, 29 - k), 0u) << "bottom " << k;
            EXPECT_EQ(Rgb(img, k, cy), 0u) << "left " << k;
            EXPECT_EQ(Rgb(img, 39 - k, cy), 0u) << "right " << k;
        }
        EXPECT_EQ(Rgb(img, cx, p), 0xFFFFFFu);
        EXPECT_EQ(Rgb(img, cx, 29 - p), 0xFFFFFFu);
        EXPECT_EQ(Rgb(img, p, cy), 0xFFFFFFu);
        EXPECT_EQ(Rgb(img, 39 - p, cy), 0xFFFFFFu);
        // Square joins: the corners are inked.
        EXPECT_EQ(Rgb(img, 0, 0), 0u);
        EXPECT_EQ(Rgb(img, 39, 29), 0u);
    }
}

TEST_F(RenderTest, ShapeFiguresAndBrush)
{
    auto make = [](TShapeKind kind, TItemAlign h = iaCenter, TItemAlign v = iaCenter) {
        auto s = Make<TShapeLabel>();
        s->Width = 41;
        s->Height = 31;
        s->ShapeKind = kind;
        s->HorzAlign = h;
        s->VertAlign = v;
        RenderItem(*s);
        return s->ItemBitmap;
    };
    const QImage ellipse = make(skEllipse);
    EXPECT_EQ(Rgb(ellipse, 0, 0), 0xFFFFFFu);
    EXPECT_NE(Rgb(ellipse, 20, 0), 0xFFFFFFu);
    EXPECT_NE(Rgb(ellipse, 0, 15), 0xFFFFFFu);

    const QImage triangle = make(skTriangle);
    EXPECT_NE(Rgb(triangle, 20, 0), 0xFFFFFFu);      // apex at the top centre
    EXPECT_EQ(Rgb(triangle, 2, 2), 0xFFFFFFu);
    EXPECT_GE(InkBox(triangle.copy(0, 29, 41, 2)).width(), 41 - 2); // base nearly full width

    const QImage round = make(skRoundRect);
    EXPECT_EQ(Rgb(round, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(round, 20, 0), 0u);

    struct Line {
        TShapeKind kind;
        TItemAlign h, v;
        QPoint inked, blank;
    };
    const Line linesCases[] = {
        {skHorzLine, iaCenter, iaTop, {20, 0}, {20, 15}},
        {skHorzLine, iaCenter, iaCenter, {20, 15}, {20, 0}},
        {skHorzLine, iaCenter, iaBottom, {20, 30}, {20, 15}},
        {skVertLine, iaLeft, iaCenter, {0, 15}, {20, 15}},
        {skVertLine, iaCenter, iaCenter, {20, 15}, {0, 15}},
        {skVertLine, iaRight, iaCenter, {40, 15}, {20, 15}},
    };
    for (const Line &l : linesCases) {
        SCOPED_TRACE(int(l.kind) * 10 + int(l.h) + int(l.v));
        const QImage img = make(l.kind, l.h, l.v);
        EXPECT_EQ(Rgb(img, l.inked.x(), l.inked.y()), 0u);
        EXPECT_EQ(Rgb(img, l.blank.x(), l.blank.y()), 0xFFFFFFu);
    }

    auto filled = Make<TShapeLabel>();
    filled->Width = filled->Height = 20;
    filled->Brush = {bsSolid, 0x0000FF}; // red
    filled->Pen.Color = 0x00FF00;
    RenderItem(*filled);
    EXPECT_EQ(Rgb(filled->ItemBitmap, 10, 10), 0xFF0000u);
    EXPECT_EQ(Rgb(filled->ItemBitmap, 10, 0), 0x00FF00u);
}

TEST_F(RenderTest, ThinRoundRectangle)
{
    // A round rectangle one pixel high renders without dividing by zero.
    auto thin = Make<TShapeLabel>();
    thin->ShapeKind = skRoundRect;
    thin->Width = 30;
    thin->Height = 1;
    RenderItem(*thin);
    EXPECT_EQ(thin->ItemBitmap.size(), QSize(30, 1));
}

TEST_F(RenderTest, PictureKeepsItsAspectWhenAsked)
{
    struct Case {
        QSize picture, box;
        bool keep;
        QSize expected;
    };
    const Case cases[] = {
        {{200, 100}, {50, 50}, true, {50, 25}},
        {{200, 100}, {50, 50}, false, {50, 50}},
        {{100, 200}, {50, 50}, true, {25, 50}},
        {{10, 10}, {25, 40}, true, {25, 25}},
        {{3, 1}, {10, 10}, true, {10, 3}}, // 3.33 rounds to 3
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.picture.width() * 1000 + c.picture.height());
        auto g = Make<TGraphicLabel>();
        g->Picture = QImage(c.picture, QImage::Format_RGB888);
        g->Picture.fill(Qt::red);
        g->Width = c.box.width();
        g->Height = c.box.height();
        g->KeepAspect = c.keep;
        RenderItem(*g);
        EXPECT_EQ(g->ItemBitmap.size(), c.expected);
        EXPECT_EQ(Rgb(g->ItemBitmap, c.expected.width() / 2, c.expected.height() / 2), 0xFF0000u);
        EXPECT_EQ(QSize(g->Width, g->Height), c.box); // no auto-size
    }

    // A picture keys out the colour of its bottom-left pixel.
    auto g = Make<TGraphicLabel>();
    g->Picture = QImage(20, 20, QImage::Format_RGB888);
    g->Picture.fill(Qt::white);
    g->Picture.setPixel(0, 19, qRgb(0, 128, 0));
    g->KeepAspect = false;
    RenderItem(*g);
    EXPECT_EQ(g->TransparentColor & 0xFFFFFF, 0x008000u);
}

// Turned and mirrored items as the screen shows them (the item's bitmap) and
// as paper prints them (in place at 300 dpi), the same way up on both.
TEST_F(RenderTest, PicturesTurnAndMirrorMemosTurnTrianglesMirrorOnScreenAndPaper)
{
    const TDrawTarget paper = TDrawTarget::Paper(96, 96, 300, 300);
    const QPoint at(10, 10);
    auto print = [&](TLabelControl &item) {
        QImage page(260, 260, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter p(&page);
        DrawPlacedItem(p, item, item.Text, paper, at);
        return page;
    };

    // Quadrants of a 40 x 20 picture: red, green over blue, black.
    const QRgb red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, black = 0;
    QImage quad(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            quad.setPixel(x, y, 0xFF000000 | (y < 10 ? (x < 20 ? red : green) : (x < 20 ? blue : black)));
    struct Case {
        int rotation;
        bool horz, vert;
        QRgb corners[4]; // top-left, top-right, bottom-left, bottom-right as seen
    };
    const Case cases[] = {
        {0, false, false, {red, green, blue, black}},
        {1, false, false, {blue, red, black, green}},
        {2, false, false, {black, blue, green, red}},
        {3, false, false, {green, black, red, blue}},
        {0, true, false, {green, red, black, blue}},
        {0, false, true, {blue, black, red, green}},
        {1, true, false, {red, blue, green, black}}, // turned, then mirrored as seen
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rotation * 100 + c.horz * 10 + c.vert);
        auto g = Make<TGraphicLabel>();
        g->Picture = quad;
        g->KeepAspect = true;
        g->Rotation = quint8(c.rotation);
        g->FlipHorz = c.horz;
        g->FlipVert = c.vert;
        const QSize box = c.rotation % 2 ? QSize(20, 40) : QSize(40, 20);
        g->Width = box.width();
        g->Height = box.height();
        RenderItem(*g);
        ASSERT_EQ(g->ItemBitmap.size(), box);
        const QImage page = print(*g);
        for (const auto &[image, r] : {std::pair{g->ItemBitmap, QRect(QPoint(), box)},
                                       std::pair{page, paper.DeviceBox(*g, at)}}) {
            const QPoint corners[4] = {r.topLeft() + QPoint(2, 2), r.topRight() + QPoint(-2, 2),
                                       r.bottomLeft() + QPoint(2, -2), r.bottomRight() + QPoint(-2, -2)};
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(Rgb(image, corners[k].x(), corners[k].y()), c.corners[k]) << "corner " << k;
        }
    }

    // A memo turned a quarter clockwise: its box turns, and its first line
    // (the heavy one) runs down the right-hand side.
    auto memo = Make<TMemoLabel>();
    memo->Font.Font = QFont(QStringLiteral("Arial"), 10);
    memo->Text = QStringLiteral("MMMMMMMM\r\n.");
    memo->AutoSize = true;
    memo->Transparent = false;
    RenderItem(*memo);
    const QSize upright = memo->ItemBitmap.size();
    memo->SetRotation(1);
    RenderItem(*memo);
    EXPECT_EQ(memo->ItemBitmap.size(), upright.transposed());
    EXPECT_EQ(QSize(memo->Width, memo->Height), upright.transposed());
    const QImage memoPage = print(*memo);
    for (const auto &[image, r] : {std::pair{memo->ItemBitmap, QRect(QPoint(), upright.transposed())},
                                   std::pair{memoPage, paper.DeviceBox(*memo, at)}}) {
        const int third = r.width() / 3;
        EXPECT_GT(InkCount(image, QRect(r.right() - third, r.top(), third, r.height())),
                  2 * InkCount(image, QRect(r.left(), r.top(), third, r.height())));
    }

    // A filled triangle mirrored top for bottom: the base along the top.
    auto triangle = Make<TShapeLabel>();
    triangle->ShapeKind = skTriangle;
    triangle->Width = 41;
    triangle->Height = 31;
    triangle->Brush = {bsSolid, clBlack};
    triangle->FlipVert = true;
    RenderItem(*triangle);
    const QImage trianglePage = print(*triangle);
    for (const auto &[image, r] : {std::pair{triangle->ItemBitmap, QRect(0, 0, 41, 31)},
                                   std::pair{trianglePage, paper.DeviceBox(*triangle, at)}}) {
        EXPECT_GE(InkBox(image.copy(r.left(), r.top(), r.width(), r.height() / 8)).width(), r.width() * 9 / 10);
        EXPECT_EQ(Rgb(image, r.left() + 3, r.bottom() - 3), 0xFFFFFFu);
        EXPECT_EQ(Rgb(image, r.center().x(), r.bottom() - r.height() / 6), 0u); // near the apex
    }
}

TEST_F(RenderTest, BarcodeModuleFilteringAndRotation)
{
    struct Case {
        int type;
        QString text, filtered;
        bool autoScale;
        int scale, rotation, module;
    };
    const Case cases[] = {
        {bcCode39, QStringLiteral("abc-1*"), QStringLiteral("ABC-1"), true, 3, 0, 1},
        {bcCode39, QStringLiteral("AB"), QStringLiteral("AB"), false, 3, 0, 3},
        {bcEAN13, QStringLiteral("978-7-111-12345-6"), QStringLiteral("978711112345"), true, 1, 1, 1},
        {bcCode128, QStringLiteral("Hello"), QStringLiteral("Hello"), false, 2, 2, 2},
        {bcCode128, QStringLiteral("X1"), QStringLiteral("X1"), false, 2, 3, 2},
        {bcQRCode, QStringLiteral("héllo 中文"), QStringLiteral("héllo 中文"), false, 3, 0, 3},
        {bcDataMatrix, QStringLiteral("abc"), QStringLiteral("abc"), true, 3, 1, 1},
        {bcPDF417, QStringLiteral("PDF"), QStringLiteral("PDF"), false, 2, 3, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        auto b = Make<TBarcodeLabel>();
        b->BarcodeType = quint8(c.type);
        b->Text = c.text;
        b->AutoScale = c.autoScale;
        b->Scale = c.scale;
        b->Rotation = quint8(c.rotation);
        b->Width = 40;
        b->Height = 50;
        RenderItem(*b);
        EXPECT_EQ(b->Text, c.filtered);
        const bool vertical = c.rotation % 2 == 1;
        const TBarcodeSymbol symbol(c.type, c.filtered);
        ASSERT_TRUE(symbol.Ok());
        EXPECT_EQ(b->ItemBitmap.size(), symbol.Box(c.module, vertical ? 40 : 50, c.rotation));
        EXPECT_TRUE(b->BarcodeError.isEmpty());
        EXPECT_EQ(QSize(b->Width, b->Height), b->ItemBitmap.size()); // auto-sized
        EXPECT_GT(InkCount(b->ItemBitmap, b->ItemBitmap.rect()), 0);
    }
}

TEST_F(RenderTest, TextASymbologyCannotHoldShowsACrossedBoxAndSaysWhy)
{
    struct Case {
        int type;
        QString text, error;
    };
    const Case cases[] = {
        {bcQRCode, QString(8000, QLatin1Char('x')), QStringLiteral("Data too long for QR Code")},
        {bcGS1DataMatrix, QStringLiteral("(01)123"), QStringLiteral("AI (01): 123 has 3 characters; it takes 14")},
        {bcEAN128, QStringLiteral("(17)261331"), QStringLiteral("AI (17): 261331 is not a valid date (YYMMDD)")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        auto b = Make<TBarcodeLabel>();
        b->BarcodeType = quint8(c.type);
        b->Text = c.text;
        b->Width = 60;
        b->Height = 40;
        RenderItem(*b);
        EXPECT_FALSE(b->BarcodeError.isEmpty());
        EXPECT_EQ(BarcodeItemError(*b), b->BarcodeError);
        if (!c.error.isEmpty()) {
            EXPECT_EQ(b->BarcodeError, c.error);
        }
        // The box keeps its size although auto-sized; a thin cross and nothing else.
        EXPECT_EQ(QSize(b->Width, b->Height), QSize(60, 40));
        ASSERT_EQ(b->ItemBitmap.size(), QSize(60, 40));
        for (QPoint dark : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 39), QPoint(59, 39), QPoint(30, 20)})
            EXPECT_NE(b->ItemBitmap.pixel(dark), qRgb(255, 255, 255)) << dark.x() << "," << dark.y();
        EXPECT_LT(InkCount(b->ItemBitmap, b->ItemBitmap.rect()), 4 * 60);
        // Text that fits again draws the symbol and clears the reason.
        b->Text = QStringLiteral("(01)09501101530003");
        RenderItem(*b);
        EXPECT_TRUE(b->BarcodeError.isEmpty());
        EXPECT_EQ(QSize(b->Width, b->Height), TBarcodeSymbol(c.type, b->Text).Box(1, 40));
    }
}

TEST_F(RenderTest, BarcodeScaleFromAFileIsKeptToTheOfferedRange)
{
    auto b = Make<TBarcodeLabel>();
    b->Text = QStringLiteral("A");
    b->AutoScale = false;
    b->Scale = 100000;
    RenderItem(*b);
    EXPECT_EQ(b->ItemBitmap.width(), BarcodeWidth(9, bcCode128, QStringLiteral("A")));
}
