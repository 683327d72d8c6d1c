// Painting the whole label: outline, grid, items placed by alignment and cut
// to their boxes, keyed transparency, frames and handles.

#include "render/itemrender.h"
#include "rendertestutil.h"
#include "model/labelformat.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

using namespace rendertest;

namespace {

constexpr QRgb kOutside = qRgb(10, 120, 200); // what lies around the label

class PaintLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        label.SetSurfaceSize(240, 144);
    }

    template <class T> T *Add(int left, int top, int width, int height)
    {
        auto *item = new T;
        item->Loading = false;
        label.AddItem(item);
        item->SetBoundsRect({left, top, left + width, top + height}, true);
        return item;
    }

    QImage Paint(bool grid = false)
    {
        QImage img(label.SurfaceWidth(), label.SurfaceHeight(), QImage::Format_RGB32);
        img.fill(kOutside);
        QPainter p(&img);
        PaintLabel(p, label, grid);
        return img;
    }

    TItemContainer label;
};

} // namespace

TEST_F(PaintLabelTest, OutlineAndGrid)
{
    const QImage plain = Paint(false);
    EXPECT_EQ(Rgb(plain, 0, 70), kOutside & 0xFFFFFF);
    EXPECT_EQ(Rgb(plain, 1, 70), 0u);
    EXPECT_EQ(Rgb(plain, 239, 70), 0u);
    EXPECT_EQ(Rgb(plain, 120, 1), 0u);
    EXPECT_EQ(Rgb(plain, 120, 143), 0u);
    EXPECT_EQ(Rgb(plain, 2, 70), 0xFFFFFFu);
    EXPECT_EQ(Rgb(plain, 1, 1), kOutside & 0xFFFFFF); // rounded corner
    EXPECT_EQ(InkBox(plain.copy(8, 8, 224, 128)), QRect());

    // Quarter-inch grid at 96 dpi: lines at x = 1 + 24k, y = 1 + 24k.
    const QImage grid = Paint(true);
    const QRgb line = qRgb(0xE0, 0xE0, 0xE0) & 0xFFFFFF;
    int onLine = 0, offLine = 0;
    for (int y = 10; y < 130; ++y) {
        onLine += Rgb(grid, 25, y) == line;
        offLine += Rgb(grid, 26, y) == line && y != 25 && y != 49 && y != 73 && y != 97 && y != 121;
    }
    EXPECT_GT(onLine, 30); // dotted
    EXPECT_LT(onLine, 120);
    EXPECT_EQ(offLine, 0);

    // Metric: half a centimetre, Round(96 / 2.5) div 2 = 19.
    label.LabelFormat.Metric = true;
    const QImage metric = Paint(true);
    label.LabelFormat.Metric = false;
    int metricLine = 0;
    for (int y = 10; y < 130; ++y)
        metricLine += Rgb(metric, 20, y) == line;
    EXPECT_GT(metricLine, 30);
}

TEST_F(PaintLabelTest, ItemsArePlacedByAlignmentAndCutToTheirBox)
{
    // A 100 x 50 picture keeps its aspect: 60 x 30 in a 60 x 50 box, 40 x 20
    // in a 60 x 20 box; the box is at (20, 30).
    struct Case {
        TItemAlign h, v;
        QSize box;
        QRect expected;
    };
    const Case cases[] = {
        {iaLeft, iaTop, {60, 50}, {20, 30, 60, 30}},
        {iaLeft, iaBottom, {60, 50}, {20, 50, 60, 30}},
        {iaLeft, iaCenter, {60, 50}, {20, 40, 60, 30}},
        {iaRight, iaTop, {60, 20}, {40, 30, 40, 20}},
        {iaCenter, iaTop, {60, 20}, {30, 30, 40, 20}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.h) * 10 + int(c.v));
        label.ClearItems();
        auto *g = Add<TGraphicLabel>(20, 30, c.box.width(), c.box.height());
        g->Picture = QImage(100, 50, QImage::Format_RGB888);
        g->Picture.fill(Qt::red);
        g->HorzAlign = c.h;
        g->VertAlign = c.v;
        g->SetSelected(false);
        const QImage img = Paint();
        EXPECT_FALSE(g->Changed); // rendered while painting
        int reds = 0;
        QRect redBox;
        for (int y = 0; y < 144; ++y)
            for (int x = 0; x < 240; ++x)
                if (Rgb(img, x, y) == 0xFF0000u) {
                    ++reds;
                    redBox |= QRect(x, y, 1, 1);
                }
        EXPECT_EQ(redBox, c.expected);
        EXPECT_EQ(reds, c.expected.width() * c.expected.height());
    }

    // A memo taller than its box shows only the part inside the box.
    label.ClearItems();
    auto *memo = Add<TMemoLabel>(100, 20, 75, 30);
    memo->SetText(QStringLiteral("WWW WWW WWW WWW WWW WWW WWW WWW WWW WWW WWW WWW"));
    memo->SetSelected(false);
    const QImage img = Paint();
    EXPECT_GT(InkCount(img, QRect(100, 20, 75, 30)), 0);
    EXPECT_EQ(InkCount(img, QRect(95, 52, 90, 80)), 0);
    EXPECT_EQ(memo->ItemBitmap.height(), 30);
}

TEST_F(PaintLabelTest, TransparentItemsShowWhatIsBeneath)
{
    auto *under = Add<TShapeLabel>(20, 20, 100, 60);
    under->Brush = {bsSolid, clBlack};
    under->SetTransparent(false);
    auto *text = Add<TTextLabel>(30, 30, 20, 20);
    text->Font.Color = clWhite;
    text->SetText(QStringLiteral("WHITE"));
    auto *shape = Add<TShapeLabel>(60, 30, 40, 30); // white fill, transparent by default
    label.SelectItem(nullptr);
    for (TLabelControl *it : label.Items)
        it->SetSelected(false);

    const QImage img = Paint();
    // White glyphs stand on the black shape; the text's black background is keyed out.
    const QRect textBox(text->Left, text->Top, text->Width, text->Height);
    EXPECT_GT(InkCount(img, textBox, qRgb(0, 0, 0)), 5);
    EXPECT_GT(InkCount(img, textBox, qRgb(255, 255, 255)), textBox.width() * textBox.height() / 2);
    // The white fill of the transparent shape shows the black beneath.
    EXPECT_EQ(Rgb(img, 80, 45), 0u);
    (void)shape;

    // Not transparent: the white fill covers it.
    shape->SetTransparent(false);
    EXPECT_EQ(Rgb(Paint(), 80, 45), 0xFFFFFFu);
}

TEST_F(PaintLabelTest, FramesAndHandles)
{
    auto *a = Add<TShapeLabel>(40, 40, 30, 20);
    auto *b = Add<TShapeLabel>(120, 40, 30, 20); // selected (added last)
    a->Pen.Color = b->Pen.Color = clWhite;         // only frames and handles show
    a->MarkChanged(true);
    b->MarkChanged(true);
    const QImage img = Paint();
    auto countOnFrame = [&](const TLabelControl *it, QRgb colour) {
        int n = 0;
        for (int x = it->Left + 3; x < it->Left + it->Width - 3; ++x)
            n += Rgb(img, x, it->Top - 1) == (colour & 0xFFFFFF);
        return n;
    };
    EXPECT_GT(countOnFrame(a, qRgb(0x80, 0x80, 0x80)), 5);
    EXPECT_EQ(countOnFrame(a, qRgb(0, 0, 0)), 0);
    EXPECT_GT(countOnFrame(b, qRgb(0, 0, 0)), 5);
    // 4 x 4 handles around the selected item's corners, none on the other.
    for (const QPoint c : {QPoint(120, 40), QPoint(150, 40), QPoint(120, 60), QPoint(150, 60)}) {
        EXPECT_EQ(InkCount(img, QRect(c.x() - 2, c.y() - 2, 4, 4), qRgb(0, 0, 0)), 0) << c.x() << "," << c.y();
        EXPECT_NE(Rgb(img, c.x() + 2, c.y() + 2), 0u); // 4 x 4, not 5 x 5
    }
    EXPECT_NE(Rgb(img, a->Left + 1, a->Top + 1), 0u);
}

TEST_F(PaintLabelTest, AllKindsTogether)
{
    auto *barcode = Add<TBarcodeLabel>(12, 10, 20, 50);
    barcode->SetText(QStringLiteral("QV-2026"));
    auto *text = Add<TTextLabel>(130, 12, 20, 20);
    text->Font.Font = QFont(QStringLiteral("Arial"), 12, QFont::Bold);
    text->SetText(QStringLiteral("Quorvane"));
    auto *memo = Add<TMemoLabel>(130, 40, 100, 45);
    memo->Font.Font = QFont(QStringLiteral("Arial"), 8);
    memo->SetText(QStringLiteral("A multi-line text that wraps at the width of its box."));
    memo->SetHorzAlign(iaCenter);
    auto *ellipse = Add<TShapeLabel>(12, 80, 60, 40);
    ellipse->ShapeKind = skEllipse;
    ellipse->Pen.Width = 3;
    ellipse->Brush = {bsDiagCross, 0x808000};
    ellipse->MarkChanged(true);
    auto *rr = Add<TShapeLabel>(80, 80, 40, 40);
    rr->ShapeKind = skRoundRect;
    rr->Pen.Width = 2;
    auto *vtext = Add<TTextLabel>(215, 88, 20, 20);
    vtext->SetText(QStringLiteral("DOWN"));
    vtext->SetRotation(1);
    auto *pic = Add<TGraphicLabel>(130, 95, 60, 40);
    QImage picture(120, 60, QImage::Format_RGB888);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            picture.setPixel(x, y, qRgb(x * 2, y * 4, 160));
    pic->Picture = picture;
    pic->MarkChanged(true);

    const QImage img = Paint(true);
    const QString dirPath = qEnvironmentVariable("QV_BINARY_DIR", QDir::tempPath());
    img.save(dirPath + QStringLiteral("/canvas_all_kinds.png"));

    for (TLabelControl *it : label.Items) {
        SCOPED_TRACE(int(it->Kind));
        EXPECT_FALSE(it->Changed);
        const QRect box(it->Left + 1, it->Top + 1, it->Width - 2, it->Height - 2);
        EXPECT_GT(InkCount(img, box), 10);
    }
    // The barcode is auto-sized to its symbol, the vertical text reads downwards.
    EXPECT_EQ(barcode->Width, barcode->ItemBitmap.width());
    EXPECT_GT(vtext->Height, vtext->Width);
}

TEST_F(PaintLabelTest, ZoomedAndDenseScreensDrawItemsAtTheirResolution)
{
    auto *barcode = Add<TBarcodeLabel>(12, 10, 20, 50);
    barcode->SetText(QStringLiteral("QV-2026"));
    auto *text = Add<TTextLabel>(130, 12, 20, 20);
    text->Font.Font = QFont(QStringLiteral("Arial"), 12, QFont::Bold);
    text->SetText(QStringLiteral("Quorvane"));
    auto *memo = Add<TMemoLabel>(130, 40, 100, 45);
    memo->Font.Font = QFont(QStringLiteral("SimSun"), 9);
    memo->SetText(QStringLiteral("净含量：250克\r\n产地：浙江杭州"));
    auto *rr = Add<TShapeLabel>(12, 80, 60, 40);
    rr->ShapeKind = skRoundRect;
    rr->Pen.Width = 2;
    rr->MarkChanged(true);
    label.SelectItem(nullptr);
    for (TLabelControl *it : label.Items)
        it->SetSelected(false);

    struct Case {
        double zoom;
        double deviceRatio;
    };
    for (const Case c : {Case{2, 1}, Case{1, 2}, Case{4, 2}, Case{8, 1}}) {
        const int s = int(c.zoom * c.deviceRatio); // device pixels per design pixel
        SCOPED_TRACE(s);
        QImage img(240 * s, 144 * s, QImage::Format_RGB32);
        img.setDevicePixelRatio(c.deviceRatio);
        img.fill(kOutside);
        TItemPictureCache cache;
        {
            QPainter p(&img);
            PaintLabel(p, label, false, c.zoom, &cache);
        }
        img.setDevicePixelRatio(1);

        // Bars: each edge on a whole design pixel, the pattern that of the design bitmap.
        const QImage &bars = barcode->ItemBitmap;
        const int row = 20 * s;
        int wrong = 0;
        for (int x = 0; x < bars.width() * s; ++x)
            wrong += Rgb(img, barcode->Left * s + x, barcode->Top * s + row) != Rgb(bars, x / s, 20);
        EXPECT_EQ(wrong, 0);

        // Glyphs and curves have detail inside a design pixel: a blown-up copy
        // would fill or leave every s x s block whole.
        for (TLabelControl *it : {static_cast<TLabelControl *>(text), static_cast<TLabelControl *>(memo),
                                  static_cast<TLabelControl *>(rr)}) {
            SCOPED_TRACE(int(it->Kind));
            int inked = 0, mixed = 0;
            for (int y = it->Top; y < it->Top + it->Height; ++y)
                for (int x = it->Left; x < it->Left + it->Width; ++x) {
                    const int n = InkCount(img, QRect(x * s, y * s, s, s));
                    inked += n > 0;
                    mixed += n > 0 && n < s * s;
                }
            EXPECT_GT(inked, 20);
            EXPECT_GT(mixed, 8);
        }
    }
}
