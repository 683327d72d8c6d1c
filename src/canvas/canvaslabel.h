#pragma once
// The design surface: a widget exactly the label's size that shows, selects,
// moves and sizes the items it owns.

#include "model/items.h"
#include "model/snap.h"
#include "render/itemrender.h"

#include <QWidget>
#include <functional>
#include <optional>

class QMenu;

class TCanvasLabel : public QWidget, public TItemContainer {
    Q_OBJECT
public:
    explicit TCanvasLabel(QWidget *parent = nullptr);
    ~TCanvasLabel() override;

    bool DesignMode = true;
    // 0 idle, 1 moving, 2 bottom, 3 right, 4 bottom-right, 5 left, 6 top,
    // 7 drawing a rubber band
    int DragMode = 0;
    int DragOffsetX = 0;
    int DragOffsetY = 0;

    // Shown at the cursor on a right click that selects an item.
    QMenu *PopupMenu = nullptr;
    // Raised before the pop-up menu is shown (the owner refreshes its checks).
    std::function<void()> OnPopup;
    // Raised for every button press, after the surface's own handling, with
    // the point in surface coordinates (the owner creates items here).
    std::function<void(Qt::MouseButton, int x, int y)> OnMouseDown;
    // Raised before the surface itself moves or sizes the selected item (a
    // drag starts, an arrow key is pressed) and after it (the button is
    // released, the key handled; `repeat` for the repeats of a held key), so
    // the owner can record each drag, or each burst of keys, as one change.
    std::function<void(TLabelControl *)> OnItemEditStart;
    std::function<void(TLabelControl *, bool repeat)> OnItemEditEnd;

    // Draws the whole surface (outline, items, frames, handles, and the grid
    // while the ShowGrids preference is on).
    void PaintTo(QPainter &painter);

    // Zoom: screen pixels per design pixel. Items keep their design-pixel
    // geometry; the widget is the label's size times the zoom, and the mouse
    // reports design pixels.
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 8.0;
    double Zoom() const { return zoom_; }
    // Clamped to the limits; resizes the widget and repaints.
    void SetZoom(double zoom);
    // The preset level after the zoom (direction > 0: larger), clamped.
    static double StepZoom(double zoom, int direction);
    // The design pixel under a widget point.
    QPoint ToDesign(const QPointF &widgetPoint) const;

    int SurfaceWidth() const override;
    int SurfaceHeight() const override;
    void SetSurfaceSize(int w, int h) override;
    void Invalidate() override;
    void ItemChanged(TLabelControl *item) override;
    void ResetCursor() override;

    // Selects every item (SelectedItem stays, or becomes the topmost).
    void SelectAll();
    // The design pixel under the pointer while it is over the surface (where
    // it rests now, should the surface have scrolled under it).
    std::optional<QPoint> PointerPoint() const;
    // The rubber band being drawn, in design pixels (empty when none).
    TRect RubberBand() const { return band_; }
    // Snapping while dragging an item (holding Alt suspends it): to the
    // grid's lines, and to the edges and centres of the other items and of
    // the label. The guides of the last snap show until the button is up.
    bool SnapToGrid = false;
    bool SnapToItems = false;
    QList<TSnapGuide> SnapGuides;
    // The grid's spacing in the label's unit: each unit keeps its own (a
    // preference, not saved with the label).
    double GridInches = kDefaultGridInches, GridCentimetres = kDefaultGridCentimetres;
    double GridMillimetres = kDefaultGridMillimetres;
    // The grid's steps in design pixels for the label's unit.
    double GridStepX() const;
    double GridStepY() const;
    // How near, in screen pixels, an edge must come to snap.
    static constexpr int kSnapScreenPixels = 6;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    double zoom_ = 1.0;
    TItemPictureCache pictures_;
    // Design pixels that cover at least n screen pixels (zoomed out, the
    // grab margins would shrink below the pointer's reach).
    int Slack(int n) const;
    // A design rectangle, grown to take in the frame and the handles, on screen.
    QRect RepaintRect(const TRect &r) const;

    // The topmost item within 5 pixels of the point.
    TLabelControl *ItemAt(int x, int y) const;
    // Only `item` selected (none for nullptr), reported to the owner.
    void SelectOnly(TLabelControl *item);
    // After the Selected flags changed: the shown item follows, and the owner hears.
    void SelectionChanged(TLabelControl *preferred);
    // Moves the selected items together by (dx, dy), as far as the label lets
    // the box around them go; they keep their places relative to each other.
    void MoveSelection(const QList<TLabelControl *> &items, const QList<QPoint> &from, int dx, int dy);

    // The pointer's last place on the screen, while it is over the surface.
    std::optional<QPointF> pointer_;
    // A drag: where it started and where the selected items were then.
    QPoint dragFrom_;
    QList<TLabelControl *> dragItems_;
    QList<QPoint> dragStart_;
    // A click on one item of several selected selects it alone, unless it drags.
    TLabelControl *collapseTo_ = nullptr;
    // The rubber band: the corner it started from, adding to the selection.
    TRect band_;
    QPoint bandFrom_;
    bool bandAdds_ = false;
    // Snaps the dragged box's moving edges (TSnapEdges) and sets the guides.
    void SnapDrag(TRect &box, int edges, Qt::KeyboardModifiers modifiers);
    void SetSnapGuides(const QList<TSnapGuide> &guides);
    void PaintSnapGuides(QPainter &painter) const;
};
