#pragma once
// The design surface: a widget exactly the label's size that shows, selects,
// moves and sizes the items it owns.

#include "model/items.h"
#include "model/snap.h"
#include "render/itemrender.h"

#include <QWidget>
#include <functional>

class QMenu;

class TCanvasLabel : public QWidget, public TItemContainer {
    Q_OBJECT
public:
    explicit TCanvasLabel(QWidget *parent = nullptr);
    ~TCanvasLabel() override;

    bool DesignMode = true;
    int DragMode = 0; // 0 idle, 1 moving, 2 bottom, 3 right, 4 bottom-right, 5 left, 6 top
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

    // Snapping while dragging an item (holding Alt suspends it): to the
    // grid's lines, and to the edges and centres of the other items and of
    // the label. The guides of the last snap show until the button is up.
    bool SnapToGrid = false;
    bool SnapToItems = false;
    QList<TSnapGuide> SnapGuides;
    // The grid's spacing: inches for a label in inches, centimetres for a
    // metric one (a preference, not saved with the label).
    double GridInches = kDefaultGridInches, GridCentimetres = kDefaultGridCentimetres;
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

private:
    double zoom_ = 1.0;
    TItemPictureCache pictures_;
    // Design pixels that cover at least n screen pixels (zoomed out, the
    // grab margins would shrink below the pointer's reach).
    int Slack(int n) const;
    // A design rectangle, grown to take in the frame and the handles, on screen.
    QRect RepaintRect(const TRect &r) const;

    // Takes the focus and selects the topmost item within 5 pixels of the point.
    void HitTest(int x, int y);

    // Snaps the dragged box's moving edges (TSnapEdges) and sets the guides.
    void SnapDrag(TRect &box, int edges, Qt::KeyboardModifiers modifiers);
    void SetSnapGuides(const QList<TSnapGuide> &guides);
    void PaintSnapGuides(QPainter &painter) const;
};
