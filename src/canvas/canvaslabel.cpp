#include "canvas/canvaslabel.h"

#include "model/arrange.h"
#include "model/labelformat.h"
#include "model/selection.h"
#include "render/itemrender.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <iterator>
#include <utility>

namespace {

// The box around items whose corners were at `from`, moved by (dx, dy).
TRect BoxAt(const QList<TLabelControl *> &items, const QList<QPoint> &from, int dx, int dy)
{
    QList<TRect> boxes;
    for (qsizetype i = 0; i < items.size(); ++i)
        boxes << TRect{from[i].x() + dx, from[i].y() + dy, from[i].x() + dx + items[i]->Width,
                       from[i].y() + dy + items[i]->Height};
    return JointBox(boxes);
}

// Drag zones of a selected item, tested in this order; the first that holds
// the point wins. Zone k maps to drag mode kZoneModes[k].
constexpr int kZoneModes[5] = {4, 3, 2, 5, 6};

// m: the zone's half width, 3 pixels.
int ZoneAt(const TLabelControl *item, int x, int y, int m)
{
    const int l = item->Left, t = item->Top;
    const int r = l + item->Width, b = t + item->Height;
    const TRect zones[5] = {
        {r - m, b - m, r + m, b + m}, // bottom-right corner
        {r - m, t + m, r + m, b - m}, // right edge
        {l + m, b - m, r - m, b + m}, // bottom edge
        {l - m, t + m, l + m, b - m}, // left edge
        {l + m, t - m, r - m, t + m}, // top edge
    };
    for (int i = 0; i < 5; ++i)
        if (zones[i].contains(x, y))
            return i;
    return -1;
}

} // namespace

TCanvasLabel::TCanvasLabel(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    // The right button shows the item menu from the press itself.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFocusPolicy(Qt::ClickFocus);
    SetSurfaceSize(10, 10);
}

TCanvasLabel::~TCanvasLabel()
{
    ClearItems();
}

int TCanvasLabel::SurfaceWidth() const { return surfaceWidth_; }
int TCanvasLabel::SurfaceHeight() const { return surfaceHeight_; }

void TCanvasLabel::SetSurfaceSize(int w, int h)
{
    TItemContainer::SetSurfaceSize(w, h);
    resize(qRound(w * zoom_), qRound(h * zoom_));
    update();
}

void TCanvasLabel::SetZoom(double zoom)
{
    zoom = qBound(kMinZoom, zoom, kMaxZoom);
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    SetSurfaceSize(surfaceWidth_, surfaceHeight_);
}

double TCanvasLabel::StepZoom(double zoom, int direction)
{
    static constexpr double levels[] = {0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1, 1.25, 1.5, 2, 3, 4, 6, 8};
    // A level counts as reached within half a percent, so a zoom typed as
    // "33%" steps on as from a third.
    constexpr double near = 0.005;
    if (direction > 0) {
        for (double l : levels)
            if (l > zoom + near)
                return l;
        return kMaxZoom;
    }
    for (auto it = std::rbegin(levels); it != std::rend(levels); ++it)
        if (*it < zoom - near)
            return *it;
    return kMinZoom;
}

QPoint TCanvasLabel::ToDesign(const QPointF &p) const
{
    // Enlarged, the design pixel under the centre of the screen pixel (at 100%
    // the point itself); reduced, the first design pixel the screen pixel
    // covers. ScreenPixel is the inverse.
    const double half = zoom_ < 1 ? 0.0 : 0.5;
    return QPoint(qFloor((p.x() + half) / zoom_), qFloor((p.y() + half) / zoom_));
}

int TCanvasLabel::Slack(int n) const
{
    return zoom_ >= 1 ? n : qCeil(n / zoom_);
}

QRect TCanvasLabel::RepaintRect(const TRect &r) const
{
    // Grown by 2 screen pixels to take in the frame and the handles.
    const int l = qFloor(r.Left * zoom_), t = qFloor(r.Top * zoom_);
    const int w = qCeil(r.Right * zoom_) - l, h = qCeil(r.Bottom * zoom_) - t;
    return QRect(l - 2, t - 2, w + 5, h + 5);
}

void TCanvasLabel::Invalidate() { update(); }

void TCanvasLabel::ItemChanged(TLabelControl *item)
{
    if (!item)
        return;
    update(RepaintRect(item->OldBounds));
    update(RepaintRect(item->BoundsRect()));
}

void TCanvasLabel::ResetCursor() { unsetCursor(); }

void TCanvasLabel::PaintTo(QPainter &painter)
{
    PaintLabel(painter, *this, ShowGrids, zoom_, &pictures_, GridStepX(), GridStepY());
}

void TCanvasLabel::paintEvent(QPaintEvent *)
{
    // Rendering may resize an auto-sized box; such a box may reach beyond
    // the area being painted now, so ask for it again.
    for (TLabelControl *item : std::as_const(Items)) {
        if (!item->Changed)
            continue;
        const TRect before = item->BoundsRect();
        RenderItem(*item);
        if (!(item->BoundsRect() == before)) {
            update(RepaintRect(before));
            update(RepaintRect(item->BoundsRect()));
        }
    }
    QPainter painter(this);
    PaintTo(painter);
    if (DragMode == 7) {
        const QRect r = RepaintRect(band_).adjusted(2, 2, -3, -3);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 0, Qt::DashLine));
        QColor fill = palette().color(QPalette::Highlight);
        fill.setAlpha(40);
        painter.setBrush(fill);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    PaintSnapGuides(painter);
}

TLabelControl *TCanvasLabel::ItemAt(int x, int y) const
{
    const int m = Slack(5);
    for (qsizetype i = Items.size() - 1; i >= 0; --i) {
        TLabelControl *item = Items[i];
        const TRect grown{item->Left - m, item->Top - m, item->Left + item->Width + m, item->Top + item->Height + m};
        if (grown.contains(x, y))
            return item;
    }
    return nullptr;
}

void TCanvasLabel::SelectionChanged(TLabelControl *preferred)
{
    TLabelControl *shown = preferred && preferred->Selected ? preferred : nullptr;
    if (!shown)
        for (TLabelControl *item : std::as_const(Items))
            if (item->Selected)
                shown = item;
    // Handles come and go on the other items too.
    update();
    SelectItem(shown);
}

void TCanvasLabel::SelectOnly(TLabelControl *item)
{
    for (TLabelControl *it : std::as_const(Items))
        if (it->Selected && it != item)
            it->SetSelected(false);
    if (item && !item->Selected)
        item->SetSelected(true);
    SelectionChanged(item);
}

void TCanvasLabel::SelectAll()
{
    for (TLabelControl *it : std::as_const(Items))
        if (!it->Selected)
            it->SetSelected(true);
    SelectionChanged(SelectedItem);
}

void TCanvasLabel::mousePressEvent(QMouseEvent *e)
{
    const QPoint pt = ToDesign(e->position());
    const Qt::MouseButton button = e->button();
    collapseTo_ = nullptr;
    pointer_ = e->globalPosition();
    if (DesignMode && (button == Qt::LeftButton || button == Qt::RightButton)) {
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
        const bool adds = e->modifiers().testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier);
        TLabelControl *hit = ItemAt(pt.x(), pt.y());
        if (button == Qt::RightButton) {
            // The pop-up acts on the selection the item belongs to.
            if (!hit || !hit->Selected)
                SelectOnly(hit);
            else
                SelectionChanged(hit);
            if (hit) {
                if (OnPopup)
                    OnPopup();
                if (PopupMenu)
                    PopupMenu->popup(QCursor::pos());
            }
        } else if (!hit) {
            if (!adds)
                SelectOnly(nullptr);
            DragMode = 7;
            bandFrom_ = pt;
            bandAdds_ = adds;
            band_ = {pt.x(), pt.y(), pt.x() + 1, pt.y() + 1};
        } else {
            if (adds) {
                hit->SetSelected(!hit->Selected);
                SelectionChanged(hit);
            } else if (hit->Selected && SelectedItems().size() > 1) {
                collapseTo_ = hit;
                SelectionChanged(hit);
            } else {
                SelectOnly(hit);
            }
            if (hit->Selected) {
                TLabelControl *item = hit;
                dragItems_ = SelectedItems();
                dragStart_.clear();
                for (const TLabelControl *it : std::as_const(dragItems_))
                    dragStart_.append(QPoint(it->Left, it->Top));
                dragFrom_ = pt;
                DragOffsetX = pt.x() - item->Left;
                DragOffsetY = pt.y() - item->Top;
                // Only a lone item has handles to size it by.
                const int zone = dragItems_.size() == 1 ? ZoneAt(item, pt.x(), pt.y(), Slack(3)) : -1;
                DragMode = zone < 0 ? 1 : kZoneModes[zone];
                if (OnItemEditStart)
                    OnItemEditStart(item);
            }
        }
    }
    e->accept();
    if (OnMouseDown)
        OnMouseDown(button, pt.x(), pt.y());
}

void TCanvasLabel::MoveSelection(const QList<TLabelControl *> &items, const QList<QPoint> &from, int dx, int dy)
{
    const QPoint d = KeptInside(BoxAt(items, from, 0, 0), dx, dy, SurfaceWidth(), SurfaceHeight());
    for (qsizetype i = 0; i < items.size(); ++i) {
        TLabelControl *it = items[i];
        const int left = from[i].x() + d.x(), top = from[i].y() + d.y();
        if (left == it->Left && top == it->Top)
            continue;
        it->SetBoundsRect({left, top, left + it->Width, top + it->Height}, true);
        it->MarkChanged(true);
    }
}

void TCanvasLabel::mouseMoveEvent(QMouseEvent *e)
{
    e->accept();
    const QPoint pt = ToDesign(e->position());
    pointer_ = e->globalPosition();
    if (DesignMode && DragMode == 7) {
        const QRect before = RepaintRect(band_);
        band_ = {qMin(bandFrom_.x(), pt.x()), qMin(bandFrom_.y(), pt.y()), qMax(bandFrom_.x(), pt.x()) + 1,
                 qMax(bandFrom_.y(), pt.y()) + 1};
        update(before | RepaintRect(band_));
        return;
    }
    TLabelControl *item = SelectedItem;
    if (!DesignMode || !item)
        return;
    const int X = pt.x(), Y = pt.y();
    const int right = item->Left + item->Width;
    const int bottom = item->Top + item->Height;
    switch (DragMode) {
    case 1: {
        if (pt != dragFrom_)
            collapseTo_ = nullptr;
        if (dragItems_.size() > 1) {
            // The group snaps as one box.
            const int dx = X - dragFrom_.x(), dy = Y - dragFrom_.y();
            TRect box = BoxAt(dragItems_, dragStart_, dx, dy);
            const TRect unsnapped = box;
            SnapDrag(box, seAll, e->modifiers());
            MoveSelection(dragItems_, dragStart_, dx + box.Left - unsnapped.Left, dy + box.Top - unsnapped.Top);
            break;
        }
        const int left = X - DragOffsetX, top = Y - DragOffsetY;
        TRect box{left, top, left + item->Width, top + item->Height};
        SnapDrag(box, seAll, e->modifiers());
        item->SetBoundsRect(box, true);
        item->MarkChanged(true);
        break;
    }
    case 2:
    case 3:
    case 4: {
        TRect box{item->Left, item->Top, DragMode == 2 ? right : X, DragMode == 3 ? bottom : Y};
        SnapDrag(box, (DragMode == 2 ? 0 : seRight) | (DragMode == 3 ? 0 : seBottom), e->modifiers());
        item->SetBoundsRect(box, false);
        item->MarkChanged(true);
        break;
    }
    case 6: {
        TRect box{item->Left, Y, right, bottom};
        SnapDrag(box, seTop, e->modifiers());
        // Past the surface's top the opposite edge would be pushed along,
        // so the drag also stops there when the surface is scrolled.
        if (box.Top < bottom - item->MinHeight && box.Top * zoom_ > pos().y() && box.Top >= 0) {
            item->SetBoundsRect(box, true);
            item->MarkChanged(true);
        }
        break;
    }
    case 5: {
        TRect box{X, item->Top, right, bottom};
        SnapDrag(box, seLeft, e->modifiers());
        if (box.Left < right - item->MinWidth && box.Left * zoom_ > pos().x() && box.Left >= 0) {
            item->SetBoundsRect(box, true);
            item->MarkChanged(true);
        }
        break;
    }
    default: {
        const int zone = SelectedItems().size() <= 1 ? ZoneAt(item, X, Y, Slack(3)) : -1;
        if (zone == 0)
            setCursor(Qt::SizeFDiagCursor);
        else if (zone == 1 || zone == 3)
            setCursor(Qt::SizeHorCursor);
        else if (zone == 2 || zone == 4)
            setCursor(Qt::SizeVerCursor);
        else if (cursor().shape() != Qt::ArrowCursor)
            unsetCursor();
        break;
    }
    }
}

void TCanvasLabel::mouseReleaseEvent(QMouseEvent *e)
{
    e->accept();
    if (e->button() != Qt::LeftButton)
        return;
    if (DragMode == 7) {
        DragMode = 0;
        const TRect band = band_;
        band_ = {};
        update(RepaintRect(band));
        // The band selects what it touches, not only what it encloses.
        TLabelControl *last = nullptr;
        bool changed = false;
        for (TLabelControl *it : std::as_const(Items)) {
            const bool touched = Touches(band, it->BoundsRect());
            if (touched)
                last = it;
            if (touched ? !it->Selected : it->Selected && !bandAdds_) {
                it->SetSelected(touched);
                changed = true;
            }
        }
        if (changed)
            SelectionChanged(last ? last : SelectedItem);
        return;
    }
    if (DragMode != 0 && OnItemEditEnd)
        OnItemEditEnd(SelectedItem, false);
    DragMode = 0;
    SetSnapGuides({});
    dragItems_.clear();
    if (TLabelControl *item = std::exchange(collapseTo_, nullptr))
        SelectOnly(item);
}

std::optional<QPoint> TCanvasLabel::PointerPoint() const
{
    if (!pointer_)
        return std::nullopt;
    const QPointF at = mapFromGlobal(*pointer_);
    if (!rect().contains(at.toPoint()))
        return std::nullopt;
    return ToDesign(at);
}

void TCanvasLabel::leaveEvent(QEvent *e)
{
    pointer_.reset();
    QWidget::leaveEvent(e);
}

void TCanvasLabel::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        // The surface keeps Tab even while editing is off.
        if (DesignMode)
            SelectNext();
        e->accept();
        return;
    }
    if (!DesignMode) {
        QWidget::keyPressEvent(e);
        return;
    }
    TLabelControl *item = SelectedItem;
    if (!item) {
        QWidget::keyPressEvent(e);
        return;
    }
    const Qt::KeyboardModifiers mods = e->modifiers();
    int dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Delete:
        DeleteSelected();
        e->accept();
        return;
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    // Arrows move by a design pixel, with Shift by ten; with Alt they size:
    // right and down grow, left and up shrink.
    const int step = mods.testFlag(Qt::ShiftModifier) ? 10 : 1;
    const QList<TLabelControl *> items = EditedItems();
    if (OnItemEditStart)
        OnItemEditStart(item);
    if (mods.testFlag(Qt::AltModifier)) {
        for (TLabelControl *it : std::as_const(items)) {
            if (dy)
                it->SetHeight(it->Height + dy * step);
            else
                it->SetWidth(it->Width + dx * step);
        }
    } else {
        QList<QPoint> from;
        for (const TLabelControl *it : std::as_const(items))
            from.append(QPoint(it->Left, it->Top));
        MoveSelection(items, from, dx * step, dy * step);
    }
    if (OnItemEditEnd)
        OnItemEditEnd(item, e->isAutoRepeat());
    e->accept();
}

bool TCanvasLabel::focusNextPrevChild(bool)
{
    // Tab selects the next item instead of moving the focus away.
    return false;
}

bool TCanvasLabel::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QWidget::event(e);
}
