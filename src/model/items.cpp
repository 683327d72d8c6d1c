#include "model/items.h"

#include <QGuiApplication>
#include <QPalette>

#include <climits>
#include <cstdlib>

#include "model/labelformat.h"

// ---------------------------------------------------------------- colours

namespace {
constexpr quint32 kSystemColorFlag = 0x80000000u;

// Classic Windows system colours, used when no application palette exists
// or the palette has no matching role.
QRgb ClassicSystemColor(int index)
{
    static const QRgb table[] = {
        0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
        0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
        0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
        0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x0078D7, 0xF0F0F0,
    };
    if (index < 0 || index >= int(sizeof table / sizeof table[0]))
        return 0x000000;
    return table[index];
}

QColor SystemColor(int index)
{
    const bool havePalette = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    if (havePalette) {
        const QPalette pal = QGuiApplication::palette();
        switch (index) {
        case 4:  // COLOR_MENU
        case 15: // COLOR_BTNFACE
        case 30: // COLOR_MENUBAR
            return pal.color(QPalette::Button);
        case 5: // COLOR_WINDOW
            return pal.color(QPalette::Base);
        case 7:  // COLOR_MENUTEXT
        case 8:  // COLOR_WINDOWTEXT
            return pal.color(QPalette::Text);
        case 12: // COLOR_APPWORKSPACE
            return pal.color(QPalette::Window);
        case 13: // COLOR_HIGHLIGHT
        case 29: // COLOR_MENUHILIGHT
            return pal.color(QPalette::Highlight);
        case 14: // COLOR_HIGHLIGHTTEXT
            return pal.color(QPalette::HighlightedText);
        case 16: // COLOR_BTNSHADOW
            return pal.color(QPalette::Mid);
        case 17: // COLOR_GRAYTEXT
            return pal.color(QPalette::Disabled, QPalette::Text);
        case 18: // COLOR_BTNTEXT
            return pal.color(QPalette::ButtonText);
        case 20: // COLOR_BTNHIGHLIGHT
            return pal.color(QPalette::Light);
        case 21: // COLOR_3DDKSHADOW
            return pal.color(QPalette::Shadow);
        case 22: // COLOR_3DLIGHT
            return pal.color(QPalette::Midlight);
        case 23: // COLOR_INFOTEXT
            return pal.color(QPalette::ToolTipText);
        case 24: // COLOR_INFOBK
            return pal.color(QPalette::ToolTipBase);
        case 26: // COLOR_HOTLIGHT
            return pal.color(QPalette::Link);
        default:
            break;
        }
    }
    return QColor::fromRgb(ClassicSystemColor(index));
}
} // namespace

QColor ColorToQColor(TColor c)
{
    const quint32 u = static_cast<quint32>(c);
    const quint32 top = u >> 24;
    if (top == (kSystemColorFlag >> 24) || top == 0xFF)
        return SystemColor(static_cast<int>(u & 0xFF));
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

TColor QColorToColor(const QColor &c)
{
    if (!c.isValid())
        return clBlack;
    const QColor rgb = c.toRgb();
    return static_cast<TColor>(quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16));
}

Qt::BrushStyle ToQtBrushStyle(int style)
{
    switch (style) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsSolid:
    default: return Qt::SolidPattern;
    }
}

// ------------------------------------------------------------------- font

namespace {
// a * b / c rounded half away from zero, as the Windows helper does; -1 when
// c is 0 or the result does not fit.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long ap = std::llabs(p), ac = std::llabs(static_cast<long long>(c));
    long long q = (ap + ac / 2) / ac;
    if ((p < 0) != (c < 0))
        q = -q;
    if (q > INT_MAX || q < INT_MIN)
        return -1;
    return static_cast<int>(q);
}
} // namespace

int TItemFont::PixelHeight(int dpiY) const
{
    if (Font.pointSize() <= 0 && Font.pixelSize() > 0)
        return Font.pixelSize();
    const int pt = Font.pointSize() > 0 ? Font.pointSize() : Round(Font.pointSizeF());
    const int h = MulDiv(pt, dpiY, 72);
    return h > 0 ? h : 1;
}

QFont TItemFont::ScaledFont(int pixelHeight) const
{
    QFont f = Font;
    f.setPixelSize(pixelHeight);
    return f;
}

// ------------------------------------------------------------------ items

int TLabelControl::DesignDpiX() const
{
    return LabelCanvas ? LabelCanvas->ScreenDpiX : kDefaultDesignDpi;
}

int TLabelControl::DesignDpiY() const
{
    return LabelCanvas ? LabelCanvas->ScreenDpiY : kDefaultDesignDpi;
}

TLabelControl::TLabelControl()
{
    Loading = true;
    BitmapTransparent = false;
    TransparentColor = 0xFFFFFFFF;
    Loading = false;
}

TLabelControl::~TLabelControl() = default;

void TLabelControl::MarkChanged(bool b)
{
    Changed = b;
    if (b && OnChange)
        OnChange(this);
}

void TLabelControl::SaveOldBounds()
{
    OldBounds = BoundsRect();
}

void TLabelControl::ApplyAttach()
{
    if (Updating)
        return;
    const TRect &p = ParentRect;
    switch (Attach) {
    case iaLeft:
        Top = 0;
        Left = 0;
        Height = p.Bottom - p.Top;
        break;
    case iaRight:
        Top = 0;
        Left = p.Right - Width;
        Height = p.Bottom - p.Top;
        break;
    case iaTop:
        Top = 0;
        Left = 0;
        Width = p.Right - p.Left;
        break;
    case iaBottom:
        Top = p.Bottom - Height;
        Left = 0;
        Width = p.Right - p.Left;
        break;
    case iaClient:
        Top = 0;
        Left = 0;
        Width = p.Right - p.Left;
        Height = p.Bottom - p.Top;
        break;
    default:
        break;
    }
    if (OnBoundsChange)
        OnBoundsChange(this);
}

namespace {
// A box that does not fit is pushed back from the far edge (even past the
// near one), and stays there when placed again; only a box that fits has a
// negative position corrected.
int ClampedPosition(int v, int size, int farEdge, bool clamp)
{
    if (clamp && (qint64(size) + v > farEdge || (v < 0 && size > farEdge)))
        return farEdge - size;
    return v < 0 ? 0 : v;
}

int ClampedSize(int v, int minSize, int position, int farEdge, bool clamp)
{
    if (v < minSize)
        return minSize;
    // A box that starts beyond the far edge (a label file may place it there)
    // keeps its minimum rather than going negative.
    if (clamp && qint64(position) + v > farEdge)
        return qMax(farEdge - position, minSize);
    return v;
}
} // namespace

void TLabelControl::RawSetTop(int v)
{
    Top = ClampedPosition(v, Height, ParentRect.Bottom, LabelCanvas != nullptr);
    ApplyAttach();
}

void TLabelControl::RawSetLeft(int v)
{
    Left = ClampedPosition(v, Width, ParentRect.Right, LabelCanvas != nullptr);
    ApplyAttach();
}

void TLabelControl::RawSetHeight(int v)
{
    Height = ClampedSize(v, MinHeight, Top, ParentRect.Bottom, LabelCanvas != nullptr);
    ApplyAttach();
}

void TLabelControl::RawSetWidth(int v)
{
    Width = ClampedSize(v, MinWidth, Left, ParentRect.Right, LabelCanvas != nullptr);
    ApplyAttach();
}

void TLabelControl::SetTop(int v)
{
    SaveOldBounds();
    RawSetTop(v);
    MarkChanged(true);
}

void TLabelControl::SetLeft(int v)
{
    SaveOldBounds();
    RawSetLeft(v);
    MarkChanged(true);
}

void TLabelControl::SetHeight(int v)
{
    SaveOldBounds();
    RawSetHeight(v);
    MarkChanged(true);
}

void TLabelControl::SetWidth(int v)
{
    SaveOldBounds();
    RawSetWidth(v);
    MarkChanged(true);
}

void TLabelControl::SetBoundsRect(const TRect &r, bool positionFirst)
{
    SaveOldBounds();
    Updating = true;
    const int h = r.Bottom - r.Top;
    const int w = r.Right - r.Left;
    if (positionFirst) {
        RawSetTop(r.Top);
        RawSetLeft(r.Left);
        RawSetHeight(h);
        RawSetWidth(w);
    } else {
        RawSetHeight(h);
        RawSetWidth(w);
        RawSetTop(r.Top);
        RawSetLeft(r.Left);
    }
    Updating = false;
    ApplyAttach();
}

void TLabelControl::PlaceWhole(int left, int top, int w, int h)
{
    w = qMax(w, MinWidth);
    h = qMax(h, MinHeight);
    const bool clamp = LabelCanvas != nullptr;
    Left = ClampedPosition(left, w, ParentRect.Right, clamp);
    Top = ClampedPosition(top, h, ParentRect.Bottom, clamp);
    Width = w;
    Height = h;
}

void TLabelControl::SetRenderedSize(int w, int h)
{
    Updating = true;
    PlaceWhole(Left, Top, w, h);
    Updating = false;
    ApplyAttach();
}

void TLabelControl::SetParentRect(const TRect &r)
{
    SaveOldBounds();
    ParentRect = r;
    SetBoundsRect(BoundsRect(), false);
    MarkChanged(true);
}

void TLabelControl::SetHorzAlign(TItemAlign a)
{
    HorzAlign = a;
    MarkChanged(true);
}

void TLabelControl::SetVertAlign(TItemAlign a)
{
    VertAlign = a;
    MarkChanged(true);
}

void TLabelControl::SetAttach(TItemAlign a)
{
    SaveOldBounds();
    Attach = a;
    ApplyAttach();
    if (a != iaNone)
        AutoSize = false;
    MarkChanged(true);
}

void TLabelControl::SetAutoSize(bool b)
{
    SaveOldBounds();
    AutoSize = b;
    MarkChanged(true);
}

void TLabelControl::SetTransparent(bool b)
{
    Transparent = b;
    BitmapTransparent = b;
    MarkChanged(true);
}

void TLabelControl::SetText(const QString &s)
{
    SaveOldBounds();
    Text = s;
    MarkChanged(true);
}

void TLabelControl::SetAdvanced(bool b)
{
    SaveOldBounds();
    Advanced = b;
    MarkChanged(true);
}

void TLabelControl::SetSelected(bool b)
{
    Selected = b;
    MarkChanged(true);
}

void TLabelControl::SetRotation(int r)
{
    const bool wasVertical = Rotation % 2 != 0;
    const bool vertical = r % 2 != 0;
    if (wasVertical != vertical) {
        SaveOldBounds();
        Updating = true;
        PlaceWhole(Left, Top, Height, Width);
        Updating = false;
        ApplyAttach();
    }
    Rotation = static_cast<quint8>(r);
    MarkChanged(true);
    if (LabelCanvas)
        LabelCanvas->Invalidate();
}

QString TLabelControl::GetText() const
{
    if (!Advanced)
        return Text;
    // Without advancing nothing in the list is modified.
    return ComposePrintText(const_cast<TFieldList &>(Fields), nullptr, false);
}

QString TLabelControl::GetDesignText() const
{
    return Advanced ? ComposeDesignText(Fields, kMaxShownText) : CutShownText(Text);
}

// ------------------------------------------------------------------ kinds

TBarcodeLabel::TBarcodeLabel()
{
    Loading = true;
    Kind = ikBarcode;
    Brush = {bsSolid, clBlack};
    Loading = false;
}

void TBarcodeLabel::SetBarcodeType(int t)
{
    SaveOldBounds();
    BarcodeType = static_cast<quint8>(t);
    MarkChanged(true);
}

void TBarcodeLabel::SetScale(int s)
{
    SaveOldBounds();
    Scale = s;
    MarkChanged(true);
}

void TBarcodeLabel::SetAutoScale(bool b)
{
    SaveOldBounds();
    AutoScale = b;
    MarkChanged(true);
}

void TBarcodeLabel::SetInterpretation(bool b)
{
    Interpretation = b;
    MarkChanged(true);
}

void TBarcodeLabel::SetBarcodeEcc(int ecc)
{
    SaveOldBounds();
    BarcodeEcc = qBound(-1, ecc, kMaxBarcodeEcc);
    MarkChanged(true);
}

void TBarcodeLabel::SetBarcodeSize(int size)
{
    SaveOldBounds();
    BarcodeSize = qBound(0, size, kMaxBarcodeSize);
    MarkChanged(true);
}

void TBarcodeLabel::SetBarcodeRectangular(bool b)
{
    SaveOldBounds();
    BarcodeRectangular = b;
    MarkChanged(true);
}

TTextLabel::TTextLabel()
{
    Loading = true;
    Kind = ikText;
    MinWidth = 25;
    MinHeight = 14;
    Transparent = true;
    BitmapTransparent = true;
    Loading = false;
}

TMemoLabel::TMemoLabel()
{
    Loading = true;
    Kind = ikMemo;
    Width = 75;
    Height = 30;
    MinWidth = 25;
    MinHeight = 14;
    AutoSize = false;
    Transparent = true;
    BitmapTransparent = true;
    Loading = false;
}

TShapeLabel::TShapeLabel()
{
    Loading = true;
    Kind = ikShape;
    Width = 25;
    Height = 25;
    AutoSize = false;
    Transparent = true;
    BitmapTransparent = true;
    HorzAlign = iaCenter;
    VertAlign = iaCenter;
    Pen = {1, clBlack};
    Brush = {bsSolid, clWhite};
    Loading = false;
}

void TShapeLabel::SetShapeKind(TShapeKind k)
{
    ShapeKind = k;
    MarkChanged(true);
}

namespace {
QImage WhiteImage(int w, int h)
{
    QImage img(qMax(1, w), qMax(1, h), QImage::Format_RGB888);
    img.fill(Qt::white);
    return img;
}
} // namespace

TGraphicLabel::TGraphicLabel()
{
    Loading = true;
    Kind = ikGraphic;
    Width = 25;
    Height = 25;
    AutoSize = false;
    Picture = WhiteImage(10, 10);
    Loading = false;
}

void TGraphicLabel::SetFileName(const QString &s)
{
    FileName = s;
    if (s.isEmpty()) {
        Picture = WhiteImage(10, 10);
        PictureFile.clear();
    }
    MarkChanged(true);
}

void TGraphicLabel::SetKeepAspect(bool b)
{
    KeepAspect = b;
    MarkChanged(true);
}

void TGraphicLabel::ResetPicture()
{
    Picture = WhiteImage(MinWidth, MinHeight);
    Changed = true;
}

// ------------------------------------------------------------------ copies

void TLabelControl::CopyCommonTo(TLabelControl &c) const
{
    c.Top = Top;
    c.Left = Left;
    c.Height = Height;
    c.Width = Width;
    c.HorzAlign = HorzAlign;
    c.VertAlign = VertAlign;
    c.Attach = Attach;
    c.Transparent = Transparent;
    c.Rotation = Rotation;
    c.Font = Font;
    c.Advanced = Advanced;
    c.Text = GetText();
    c.Fields = CloneFields(Fields);
    c.AutoSize = AutoSize;
    // The copy draws its own bitmap.
    c.Changed = true;
}

std::unique_ptr<TLabelControl> TBarcodeLabel::Clone() const
{
    auto c = std::make_unique<TBarcodeLabel>();
    CopyCommonTo(*c);
    c->BarcodeType = BarcodeType;
    c->Scale = Scale;
    c->Interpretation = Interpretation;
    c->AutoScale = AutoScale;
    c->BarcodeEcc = BarcodeEcc;
    c->BarcodeSize = BarcodeSize;
    c->BarcodeRectangular = BarcodeRectangular;
    return c;
}

std::unique_ptr<TLabelControl> TTextLabel::Clone() const
{
    auto c = std::make_unique<TTextLabel>();
    CopyCommonTo(*c);
    return c;
}

std::unique_ptr<TLabelControl> TMemoLabel::Clone() const
{
    auto c = std::make_unique<TMemoLabel>();
    CopyCommonTo(*c);
    return c;
}

std::unique_ptr<TLabelControl> TShapeLabel::Clone() const
{
    auto c = std::make_unique<TShapeLabel>();
    CopyCommonTo(*c);
    c->ShapeKind = ShapeKind;
    c->Pen = Pen;
    c->Brush = Brush;
    return c;
}

std::unique_ptr<TLabelControl> TGraphicLabel::Clone() const
{
    auto c = std::make_unique<TGraphicLabel>();
    CopyCommonTo(*c);
    c->FileName = FileName;
    c->KeepAspect = KeepAspect;
    // The picture in memory is what the user sees; reading the file again
    // could fail or find a changed file.
    c->Picture = Picture;
    c->PictureFile = PictureFile;
    return c;
}

TLabelControl *CreateItem(TItemKind kind)
{
    switch (kind) {
    case ikBarcode: return new TBarcodeLabel;
    case ikText: return new TTextLabel;
    case ikMemo: return new TMemoLabel;
    case ikShape: return new TShapeLabel;
    case ikGraphic: return new TGraphicLabel;
    default: return nullptr;
    }
}

// -------------------------------------------------------------- container

TItemContainer::~TItemContainer()
{
    SelectedItem = nullptr;
    for (qsizetype i = Items.size() - 1; i >= 0; --i)
        delete Items[i];
    Items.clear();
}

void TItemContainer::FitSurfaceToFormat()
{
    SetSurfaceSize(SurfaceWidthPx(LabelFormat, ScreenDpiX), SurfaceHeightPx(LabelFormat, ScreenDpiY));
}

void TItemContainer::SetSurfaceSize(int w, int h)
{
    surfaceWidth_ = w;
    surfaceHeight_ = h;
}

void TItemContainer::AddItem(TLabelControl *item)
{
    if (!item || Items.contains(item))
        return;
    Items.append(item);
    for (TLabelControl *it : std::as_const(Items))
        if (it->Selected)
            it->SetSelected(false);
    item->SetSelected(true);
    SelectItem(item);
    item->OnChange = [this](TLabelControl *changed) { ItemChanged(changed); };
    item->LabelCanvas = this;
    item->SetParentRect({0, 0, SurfaceWidth(), SurfaceHeight()});
    Invalidate();
}

void TItemContainer::SelectItem(TLabelControl *item)
{
    SelectedItem = item;
    if (OnSelectItem)
        OnSelectItem(item);
}

void TItemContainer::DeleteSelected()
{
    TLabelControl *item = SelectedItem;
    if (!item)
        return;
    Items.removeAll(item);
    delete item;
    SelectItem(nullptr);
    ResetCursor();
    Invalidate();
}

void TItemContainer::ClearItems()
{
    SelectedItem = nullptr;
    for (qsizetype i = Items.size() - 1; i >= 0; --i)
        delete Items[i];
    Items.clear();
    Invalidate();
}

void TItemContainer::BringToFront()
{
    const qsizetype i = Items.indexOf(SelectedItem);
    if (i < 0)
        return;
    Items.move(i, Items.size() - 1);
    SelectedItem->MarkChanged(true);
}

void TItemContainer::SendToBack()
{
    const qsizetype i = Items.indexOf(SelectedItem);
    if (i < 0)
        return;
    Items.move(i, 0);
    SelectedItem->MarkChanged(true);
}

void TItemContainer::SelectNext()
{
    for (TLabelControl *it : std::as_const(Items))
        if (it->Selected)
            it->SetSelected(false);
    qsizetype i = SelectedItem ? Items.indexOf(SelectedItem) + 1 : 0;
    if (i >= Items.size())
        i = 0;
    if (i < Items.size()) {
        Items[i]->SetSelected(true);
        // Reported like any other selection, so whatever describes the
        // selected item follows it.
        SelectItem(Items[i]);
    }
}

void TItemContainer::FitItems()
{
    const int w = SurfaceWidth();
    const int h = SurfaceHeight();
    for (TLabelControl *it : std::as_const(Items)) {
        if (qint64(it->Top) + it->Height > h)
            it->SetTop(it->Height <= h ? h - it->Height : 0);
        if (qint64(it->Left) + it->Width > w)
            it->SetLeft(it->Width <= w ? w - it->Width : 0);
        it->SetParentRect({0, 0, w, h});
    }
}
