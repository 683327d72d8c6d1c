#include "model/items.h"
#include "model/labelformat.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <tuple>

namespace {
// An item on a 200 x 100 surface, clamped as on the design surface.
struct Placed {
    TItemContainer box;
    TLabelControl *item;
    explicit Placed(TItemKind kind, int w = 200, int h = 100)
    {
        box.SetSurfaceSize(w, h);
        item = CreateItem(kind);
        box.AddItem(item);
    }
};
} // namespace

TEST(Items, DefaultsPerKind)
{
    const struct {
        TItemKind kind;
        int w, h, minW, minH;
        bool autoSize, transparent;
        TItemAlign horz, vert;
    } cases[] = {
        {ikBarcode, 20, 20, 10, 10, true, false, iaLeft, iaTop},
        {ikText, 20, 20, 25, 14, true, true, iaLeft, iaTop},
        {ikMemo, 75, 30, 25, 14, false, true, iaLeft, iaTop},
        {ikShape, 25, 25, 10, 10, false, true, iaCenter, iaCenter},
        {ikGraphic, 25, 25, 10, 10, false, false, iaLeft, iaTop},
    };
    for (const auto &c : cases) {
        std::unique_ptr<TLabelControl> it(CreateItem(c.kind));
        ASSERT_TRUE(it);
        SCOPED_TRACE(int(c.kind));
        EXPECT_EQ(it->Kind, c.kind);
        EXPECT_EQ(it->Width, c.w);
        EXPECT_EQ(it->Height, c.h);
        EXPECT_EQ(it->MinWidth, c.minW);
        EXPECT_EQ(it->MinHeight, c.minH);
        EXPECT_EQ(it->AutoSize, c.autoSize);
        EXPECT_EQ(it->Transparent, c.transparent);
        EXPECT_EQ(it->BitmapTransparent, c.transparent);
        EXPECT_EQ(it->HorzAlign, c.horz);
        EXPECT_EQ(it->VertAlign, c.vert);
        EXPECT_EQ(it->Attach, iaNone);
        EXPECT_EQ(it->Rotation, 0);
        EXPECT_TRUE(it->Changed);
        EXPECT_FALSE(it->Loading);
        EXPECT_FALSE(it->Selected);
        EXPECT_FALSE(it->Advanced);
        EXPECT_EQ(it->Font.Font.family(), QStringLiteral("Courier New"));
        EXPECT_EQ(it->Font.Font.pointSize(), 8);
    }
    EXPECT_EQ(CreateItem(ikNone), nullptr);

    TBarcodeLabel bc;
    EXPECT_EQ(bc.Brush.Color, clBlack);
    EXPECT_EQ(bc.Brush.Style, bsSolid);
    EXPECT_TRUE(bc.AutoScale);
    EXPECT_TRUE(bc.Interpretation);
    EXPECT_EQ(bc.Scale, 1);
    EXPECT_EQ(bc.BarcodeEcc, -1); // automatic
    EXPECT_EQ(bc.BarcodeSize, 0);
    EXPECT_FALSE(bc.BarcodeRectangular);
    // Two-dimensional options stay in the widest range any symbology takes,
    // and a copy keeps them.
    for (auto [ecc, size, wantEcc, wantSize] : {std::array{-7, -1, -1, 0}, std::array{3, 21, 3, 21},
                                                std::array{9999, 9999, 50, 40}}) {
        bc.SetBarcodeEcc(ecc);
        bc.SetBarcodeSize(size);
        bc.SetBarcodeRectangular(true);
        EXPECT_EQ(bc.BarcodeEcc, wantEcc);
        EXPECT_EQ(bc.BarcodeSize, wantSize);
        const auto copy = bc.Clone();
        const auto &c = static_cast<const TBarcodeLabel &>(*copy);
        EXPECT_EQ(std::tuple(c.BarcodeEcc, c.BarcodeSize, c.BarcodeRectangular), std::tuple(wantEcc, wantSize, true));
    }
    TShapeLabel sh;
    EXPECT_EQ(sh.Brush.Color, clWhite);
    EXPECT_EQ(sh.Pen.Color, clBlack);
    EXPECT_EQ(sh.Pen.Width, 1);
    TGraphicLabel gr;
    EXPECT_EQ(gr.Picture.size(), QSize(10, 10));
    EXPECT_EQ(gr.Picture.format(), QImage::Format_RGB888);
    EXPECT_EQ(gr.Picture.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_TRUE(gr.KeepAspect);
}

TEST(Items, AttachTable)
{
    const struct {
        TItemAlign attach;
        TRect box;
    } cases[] = {
        {iaLeft, {0, 0, 40, 100}},
        {iaRight, {160, 0, 200, 100}},
        {iaTop, {0, 0, 200, 30}},
        {iaBottom, {0, 70, 200, 100}},
        {iaClient, {0, 0, 200, 100}},
        {iaCenter, {50, 20, 90, 50}},
        {iaNone, {50, 20, 90, 50}},
    };
    for (const auto &c : cases) {
        Placed p(ikBarcode);
        p.item->SetBoundsRect({50, 20, 90, 50}, true);
        int boundsEvents = 0;
        p.item->OnBoundsChange = [&](TLabelControl *) { ++boundsEvents; };
        p.item->SetAttach(c.attach);
        SCOPED_TRACE(int(c.attach));
        EXPECT_EQ(p.item->BoundsRect(), c.box);
        EXPECT_EQ(p.item->AutoSize, c.attach == iaNone);
        EXPECT_GE(boundsEvents, 1);
        // An attached box cannot be dragged off its edge.
        p.item->SetBoundsRect({5, 5, 45, 35}, true);
        if (c.attach == iaRight) {
            EXPECT_EQ(p.item->BoundsRect(), (TRect{160, 0, 200, 100}));
        }
    }
}

TEST(Items, ClampingAgainstTheSurface)
{
    enum Op { Top, Left, Height, Width };
    const struct {
        TRect start;
        Op op;
        int v;
        TRect result;
    } cases[] = {
        {{10, 10, 50, 40}, Top, -5, {10, 0, 50, 30}},     // a box that fits stops at 0
        {{10, 10, 50, 40}, Top, 90, {10, 70, 50, 100}},   // pushed back from the bottom
        {{10, 10, 50, 40}, Left, 190, {160, 10, 200, 40}},
        {{10, 10, 50, 40}, Left, -1, {0, 10, 40, 40}},
        {{10, 10, 50, 40}, Height, 200, {10, 10, 50, 100}},
        {{10, 10, 50, 40}, Height, 3, {10, 10, 50, 20}},  // minimum wins
        {{10, 10, 50, 40}, Width, 500, {10, 10, 200, 40}},
        {{10, 10, 50, 40}, Width, 3, {10, 10, 20, 40}},
        {{0, 0, 40, 30}, Height, 150, {0, 0, 40, 100}},
    };
    for (const auto &c : cases) {
        Placed p(ikBarcode);
        p.item->SetBoundsRect(c.start, true);
        switch (c.op) {
        case Top: p.item->SetTop(c.v); break;
        case Left: p.item->SetLeft(c.v); break;
        case Height: p.item->SetHeight(c.v); break;
        case Width: p.item->SetWidth(c.v); break;
        }
        EXPECT_EQ(p.item->BoundsRect(), c.result) << int(c.op) << " " << c.v;
        EXPECT_EQ(p.item->OldBounds, c.start);
    }

    // A box taller than the label is pushed up past the top edge.
    TShapeLabel tall;
    tall.Height = 150;
    TItemContainer box;
    box.SetSurfaceSize(200, 100);
    tall.LabelCanvas = &box;
    tall.ParentRect = {0, 0, 200, 100};
    tall.SetTop(10);
    EXPECT_EQ(tall.Top, -50);
    tall.SetTop(-20); // and stays there when placed again
    EXPECT_EQ(tall.Top, -50);

    // Without a surface nothing but the minimum and the near edge applies.
    TShapeLabel loose;
    loose.SetBoundsRect({500, 600, 900, 1000}, true);
    EXPECT_EQ(loose.BoundsRect(), (TRect{500, 600, 900, 1000}));
}

TEST(Items, PositionFirstKeepsSizeSizeFirstKeepsPosition)
{
    Placed p(ikShape);
    // Moving keeps the size where the edge allows; resizing keeps the position.
    p.item->SetBoundsRect({10, 10, 50, 40}, true);
    p.item->SetBoundsRect({150, 60, 250, 110}, true);
    EXPECT_EQ(p.item->BoundsRect(), (TRect{150, 60, 200, 100}));
    p.item->SetBoundsRect({10, 10, 50, 40}, true);
    p.item->SetBoundsRect({150, 60, 250, 110}, false);
    EXPECT_EQ(p.item->BoundsRect(), (TRect{100, 50, 200, 100}));
}

TEST(Items, MinimumWidthBeforeFirstRender)
{
    const struct {
        TItemKind kind;
        int width;
    } cases[] = {{ikText, 25}, {ikMemo, 25}, {ikShape, 10}, {ikBarcode, 10}};
    for (const auto &c : cases) {
        std::unique_ptr<TLabelControl> it(CreateItem(c.kind));
        it->SetWidth(3);
        EXPECT_EQ(it->Width, c.width) << int(c.kind);
    }
}

TEST(Items, RotationTurnsTheBox)
{
    // Near an edge the turned box moves back onto the label whole.
    const struct {
        int from, to;
        TRect start, turned;
    } cases[] = {
        {0, 1, {10, 20, 110, 50}, {10, 20, 40, 120}},
        {0, 2, {10, 20, 110, 50}, {10, 20, 110, 50}},
        {0, 3, {10, 20, 110, 50}, {10, 20, 40, 120}},
        {0, 1, {10, 250, 110, 280}, {10, 200, 40, 300}},
        {1, 0, {285, 10, 300, 110}, {200, 10, 300, 25}},
        {0, 3, {0, 100, 300, 130}, {0, 0, 30, 300}},
    };
    for (const auto &c : cases) {
        Placed p(ikBarcode, 300, 300);
        p.item->SetRotation(c.from);
        p.item->SetBoundsRect(c.start, true);
        p.item->SetRotation(c.to);
        EXPECT_EQ(p.item->BoundsRect(), c.turned) << c.to;
        EXPECT_EQ(p.item->Rotation, c.to);
        EXPECT_TRUE(p.item->Changed);
    }
    // 1 -> 3 stays vertical.
    Placed p(ikBarcode, 300, 300);
    p.item->SetBoundsRect({10, 20, 110, 50}, true);
    p.item->SetRotation(1);
    p.item->SetRotation(3);
    EXPECT_EQ(p.item->BoundsRect(), (TRect{10, 20, 40, 120}));
}

TEST(Items, ChangeEventsAndLoading)
{
    TTextLabel t;
    int changes = 0;
    t.OnChange = [&](TLabelControl *) { ++changes; };
    t.Loading = true;
    t.SetText(QStringLiteral("abc"));
    t.SetHorzAlign(iaCenter);
    t.SetTransparent(false);
    // Loading only holds rendering back; every setter still records its change.
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(t.Text, QStringLiteral("abc"));
    EXPECT_FALSE(t.BitmapTransparent);
    t.Loading = false;
    t.MarkChanged(false);
    EXPECT_FALSE(t.Changed);
    EXPECT_EQ(changes, 3); // clearing raises nothing
    t.MarkChanged(true);
    EXPECT_EQ(changes, 4);
}

TEST(Items, TextPlainAndAdvanced)
{
    TBarcodeLabel b;
    b.SetText(QStringLiteral("123"));
    EXPECT_EQ(b.GetText(), QStringLiteral("123"));
    EXPECT_EQ(b.GetDesignText(), QStringLiteral("123"));
    auto seq = std::make_unique<TSequenceField>();
    seq->CurVal = 7;
    seq->MinSize = 3;
    auto col = std::make_unique<TImportedField>();
    col->FieldNum = 2;
    b.Fields.push_back(std::move(seq));
    b.Fields.push_back(std::move(col));
    EXPECT_EQ(b.GetText(), QStringLiteral("123")); // not advanced yet
    b.SetAdvanced(true);
    EXPECT_EQ(b.GetText(), QStringLiteral("007"));
    EXPECT_EQ(b.GetDesignText(), QStringLiteral("007F_2"));
    EXPECT_EQ(static_cast<TSequenceField *>(b.Fields[0].get())->CurVal, 7);
}

TEST(Items, PictureResets)
{
    TGraphicLabel g;
    g.Picture = QImage(40, 30, QImage::Format_RGB888);
    g.Picture.fill(Qt::black);
    g.SetFileName(QStringLiteral("x.bmp"));
    EXPECT_EQ(g.Picture.size(), QSize(40, 30));
    g.SetFileName(QString());
    EXPECT_EQ(g.Picture.size(), QSize(10, 10));
    EXPECT_EQ(g.Picture.pixel(0, 0), qRgb(255, 255, 255));
    g.MinWidth = 16;
    g.MinHeight = 12;
    int changes = 0;
    g.OnChange = [&](TLabelControl *) { ++changes; };
    g.Changed = false;
    g.ResetPicture();
    EXPECT_EQ(g.Picture.size(), QSize(16, 12));
    EXPECT_TRUE(g.Changed);
    EXPECT_EQ(changes, 0);
}

TEST(Items, ColoursAndBrushes)
{
    EXPECT_EQ(ColorToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(QColorToColor(QColor(0x56, 0x34, 0x12)), 0x123456);
    for (TColor c : {clBlack, clWhite, TColor(0x00A0B0C0)})
        EXPECT_EQ(QColorToColor(ColorToQColor(c)), c);
    EXPECT_TRUE(ColorToQColor(TColor(0x80000005)).isValid()); // window background
    EXPECT_EQ(ToQtBrushStyle(bsClear), Qt::NoBrush);
    EXPECT_EQ(ToQtBrushStyle(bsDiagCross), Qt::DiagCrossPattern);
    EXPECT_EQ(ToQtBrushStyle(99), Qt::SolidPattern);
}

TEST(Items, FontPixelHeight)
{
    const struct {
        int dpi, pt, px;
    } cases[] = {{96, 8, 11}, {96, 9, 12}, {96, 12, 16}, {120, 8, 13}, {120, 10, 17}, {108, 3, 5}};
    TItemFont f;
    for (const auto &c : cases) {
        f.Font.setPointSize(c.pt);
        EXPECT_EQ(f.PixelHeight(c.dpi), c.px) << c.dpi << " " << c.pt;
    }
    EXPECT_EQ(f.ScaledFont(40).pixelSize(), 40);
}
