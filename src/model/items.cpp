// An item's box and the rules every property change obeys, and its copies.
#include "model/items.h"

#include "model/itemproperties.h"

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

void TLabelControl::SetFlipHorz(bool b)
{
    FlipHorz = b;
    MarkChanged(true);
}

void TLabelControl::SetFlipVert(bool b)
{
    FlipVert = b;
    MarkChanged(true);
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

// ------------------------------------------------------------------ copies

void TLabelControl::CopyCommonTo(TLabelControl &c) const
{
    c.Top = Top;
    c.Left = Left;
    c.Height = Height;
    c.Width = Width;
    c.Font = Font;
    c.Text = GetText();
    c.Fields = CloneFields(Fields);
    CopyProperties(*this, c);
    // The copy draws its own bitmap.
    c.Changed = true;
}

std::unique_ptr<TLabelControl> TLabelControl::Clone() const
{
    std::unique_ptr<TLabelControl> c(CreateItem(Kind));
    if (c)
        CopyCommonTo(*c);
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
