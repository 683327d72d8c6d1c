// The design surface driven with the mouse and the keyboard.

#include "canvas/canvaslabel.h"
#include "model/labelformat.h"

#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

namespace {

// Puts the point in surface coordinates under the mouse.
void Press(QWidget *w, int x, int y, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
{
    QTest::mousePress(w, b, m, QPoint(x, y));
}
void Move(QWidget *w, int x, int y) { QTest::mouseMove(w, QPoint(x, y)); }
void Release(QWidget *w, int x, int y, Qt::MouseButton b = Qt::LeftButton)
{
    QTest::mouseRelease(w, b, {}, QPoint(x, y));
}

} // namespace

class CanvasTest : public QObject {
    Q_OBJECT

private:
    TCanvasLabel *canvas = nullptr;
    QList<TLabelControl *> selections;

    template <class T> T *Add(int left, int top, int width, int height)
    {
        auto *item = new T;
        item->Loading = false;
        canvas->AddItem(item);
        item->SetBoundsRect({left, top, left + width, top + height}, true);
        return item;
    }

private slots:
    void init()
    {
        canvas = new TCanvasLabel;
        canvas->SetSurfaceSize(300, 200);
        canvas->OnSelectItem = [this](TLabelControl *item) { selections << item; };
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        selections.clear();
    }
    void cleanup()
    {
        delete canvas;
        canvas = nullptr;
    }

    void surfaceIsTheLabelSize()
    {
        QCOMPARE(canvas->size(), QSize(300, 200));
        canvas->SetSurfaceSize(192, 120);
        QCOMPARE(canvas->size(), QSize(192, 120));
        QCOMPARE(canvas->SurfaceWidth(), 192);
        QCOMPARE(canvas->SurfaceHeight(), 120);
        auto *shape = Add<TShapeLabel>(10, 10, 30, 30);
        QCOMPARE(shape->ParentRect, (TRect{0, 0, 192, 120}));
    }

    void hitTestMargins_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("selects");
        // Box (100, 80, 140, 100): grown by 5, right and bottom excluded.
        QTest::newRow("inside") << 120 << 90 << true;
        QTest::newRow("4 left") << 96 << 90 << true;
        QTest::newRow("5 left") << 95 << 90 << true;
        QTest::newRow("6 left") << 94 << 90 << false;
        QTest::newRow("5 above") << 120 << 75 << true;
        QTest::newRow("6 above") << 120 << 74 << false;
        QTest::newRow("4 right") << 144 << 90 << true;
        QTest::newRow("5 right") << 145 << 90 << false;
        QTest::newRow("4 below") << 120 << 104 << true;
        QTest::newRow("5 below") << 120 << 105 << false;
    }
    void hitTestMargins()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, selects);
        auto *item = Add<TShapeLabel>(100, 80, 40, 20);
        canvas->SelectItem(nullptr);
        item->SetSelected(false);
        selections.clear();
        Press(canvas, x, y);
        Release(canvas, x, y);
        QCOMPARE(canvas->SelectedItem, selects ? item : nullptr);
        QCOMPARE(item->Selected, selects);
        QCOMPARE(selections.size(), 1); // every hit test reports the selection
        QVERIFY(canvas->hasFocus());
    }

    void topmostWinsAndSendToBackSwaps()
    {
        auto *a = Add<TShapeLabel>(50, 50, 40, 40);
        auto *b = Add<TShapeLabel>(70, 70, 40, 40);
        Press(canvas, 80, 80);
        Release(canvas, 80, 80);
        QCOMPARE(canvas->SelectedItem, b);
        QVERIFY(!a->Selected);
        canvas->SendToBack();
        Press(canvas, 80, 80);
        Release(canvas, 80, 80);
        QCOMPARE(canvas->SelectedItem, a);
        QVERIFY(!b->Selected);
    }

    void dragZones_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("cursor");
        // Box (100, 50, 160, 90).
        QTest::newRow("top-left corner moves") << 100 << 50 << 1 << int(Qt::ArrowCursor);
        QTest::newRow("inside moves") << 130 << 70 << 1 << int(Qt::ArrowCursor);
        QTest::newRow("bottom-right corner") << 158 << 88 << 4 << int(Qt::SizeFDiagCursor);
        QTest::newRow("just outside corner") << 162 << 92 << 4 << int(Qt::SizeFDiagCursor);
        QTest::newRow("right edge") << 159 << 70 << 3 << int(Qt::SizeHorCursor);
        QTest::newRow("bottom edge") << 130 << 89 << 2 << int(Qt::SizeVerCursor);
        QTest::newRow("left edge") << 101 << 70 << 5 << int(Qt::SizeHorCursor);
        QTest::newRow("top edge") << 130 << 51 << 6 << int(Qt::SizeVerCursor);
        QTest::newRow("top-right corner moves") << 160 << 50 << 1 << int(Qt::ArrowCursor);
        QTest::newRow("bottom-left corner moves") << 100 << 90 << 1 << int(Qt::ArrowCursor);
    }
    void dragZones()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, mode);
        QFETCH(int, cursor);
        auto *item = Add<TShapeLabel>(100, 50, 60, 40);
        // Hovering shows the zone's cursor.
        Move(canvas, x, y);
        QCOMPARE(int(canvas->cursor().shape()), cursor);
        Press(canvas, x, y);
        QCOMPARE(canvas->DragMode, mode);
        QCOMPARE(canvas->DragOffsetX, x - item->Left);
        QCOMPARE(canvas->DragOffsetY, y - item->Top);
        Release(canvas, x, y);
        QCOMPARE(canvas->DragMode, 0);
        // Away from every zone the cursor returns to the arrow.
        Move(canvas, 20, 150);
        QCOMPARE(canvas->cursor().shape(), Qt::ArrowCursor);
    }

    void movingAndResizing()
    {
        auto *item = Add<TShapeLabel>(100, 50, 60, 40);
        Press(canvas, 130, 70);
        Move(canvas, 140, 80);
        Move(canvas, 150, 65);
        Release(canvas, 150, 65);
        QCOMPARE(item->BoundsRect(), (TRect{120, 45, 180, 85}));

        // Pushed against the right edge the box keeps its size.
        Press(canvas, 150, 65);
        Move(canvas, 400, 65);
        Release(canvas, 400, 65);
        QCOMPARE(item->BoundsRect(), (TRect{240, 45, 300, 85}));

        // Bottom-right corner resizes both.
        item->SetBoundsRect({100, 50, 160, 90}, true);
        Press(canvas, 160, 90);
        Move(canvas, 190, 120);
        Release(canvas, 190, 120);
        QCOMPARE(item->BoundsRect(), (TRect{100, 50, 190, 120}));

        // Right edge: width only; bottom edge: height only, never below the minimum.
        Press(canvas, 190, 80);
        Move(canvas, 170, 100);
        Release(canvas, 170, 100);
        QCOMPARE(item->BoundsRect(), (TRect{100, 50, 170, 120}));
        Press(canvas, 130, 120);
        Move(canvas, 0, 52);
        Release(canvas, 0, 52);
        QCOMPARE(item->BoundsRect(), (TRect{100, 50, 170, 60}));
    }

    void zoomMapsTheMouseAndKeepsHandlesSmall_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::newRow("50%") << 0.5;
        QTest::newRow("200%") << 2.0;
        QTest::newRow("400%") << 4.0;
    }
    void zoomMapsTheMouseAndKeepsHandlesSmall()
    {
        QFETCH(double, zoom);
        canvas->ShowGrids = false;
        canvas->SetZoom(zoom);
        QCOMPARE(canvas->size(), QSize(qRound(300 * zoom), qRound(200 * zoom)));
        QCOMPARE(canvas->SurfaceWidth(), 300);
        auto *item = Add<TShapeLabel>(100, 50, 60, 40);
        item->Pen.Color = clWhite; // only the frame and handles show
        auto at = [zoom](int x, int y) { return QPoint(ScreenPixel(x, zoom), ScreenPixel(y, zoom)); };

        // A drag moves the item by the screen distance in design pixels.
        Press(canvas, at(130, 70).x(), at(130, 70).y());
        QCOMPARE(canvas->DragMode, 1);
        Move(canvas, at(150, 80).x(), at(150, 80).y());
        Release(canvas, at(150, 80).x(), at(150, 80).y());
        QCOMPARE(item->BoundsRect(), (TRect{120, 60, 180, 100}));
        // The corner zone is found at the zoomed corner, and sizes in design pixels.
        Press(canvas, at(180, 100).x(), at(180, 100).y());
        QCOMPARE(canvas->DragMode, 4);
        Move(canvas, at(200, 120).x(), at(200, 120).y());
        Release(canvas, at(200, 120).x(), at(200, 120).y());
        QCOMPARE(item->BoundsRect(), (TRect{120, 60, 200, 120}));

        // Handles stay 4 x 4 screen pixels at the zoomed corners.
        QTest::qWait(20);
        const QImage shown = canvas->grab().toImage();
        const QPoint c = at(200, 120);
        auto black = [&](int x, int y) { return (shown.pixel(x, y) & 0xFFFFFF) == 0; };
        QVERIFY(black(c.x() - 2, c.y() - 2) && black(c.x() + 1, c.y() + 1));
        QVERIFY(!black(c.x() + 2, c.y() + 2) && !black(c.x() - 3, c.y() + 1));
        canvas->ShowGrids = true;
    }

    void topAndLeftEdgesStopAtTheMinimum()
    {
        auto *item = Add<TShapeLabel>(100, 50, 60, 40); // MinWidth/MinHeight 10
        Press(canvas, 130, 51);
        QCOMPARE(canvas->DragMode, 6);
        Move(canvas, 130, 70);
        QCOMPARE(item->BoundsRect(), (TRect{100, 70, 160, 90}));
        Move(canvas, 130, 79); // 79 < 90 - 10
        QCOMPARE(item->BoundsRect(), (TRect{100, 79, 160, 90}));
        Move(canvas, 130, 80); // would leave less than MinHeight
        QCOMPARE(item->BoundsRect(), (TRect{100, 79, 160, 90}));
        Move(canvas, 130, 0); // not past the surface's top
        QCOMPARE(item->BoundsRect(), (TRect{100, 79, 160, 90}));
        Move(canvas, 130, 30);
        QCOMPARE(item->BoundsRect(), (TRect{100, 30, 160, 90}));
        Release(canvas, 130, 30);

        Press(canvas, 101, 60);
        QCOMPARE(canvas->DragMode, 5);
        Move(canvas, 149, 60);
        QCOMPARE(item->BoundsRect(), (TRect{149, 30, 160, 90}));
        Move(canvas, 150, 60);
        QCOMPARE(item->BoundsRect(), (TRect{149, 30, 160, 90}));
        Release(canvas, 150, 60);
    }

    void edgeDragWhileScrolled()
    {
        // Inside a scrolled viewport the surface's own position is negative;
        // dragging the top edge above the surface must not move the bottom.
        QScrollArea area;
        area.resize(200, 120);
        auto *surface = new TCanvasLabel;
        surface->SetSurfaceSize(300, 400);
        area.setWidget(surface);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        auto *item = new TShapeLabel;
        item->Loading = false;
        surface->AddItem(item);
        item->SetBoundsRect({20, 60, 80, 100}, true);
        area.verticalScrollBar()->setValue(50);
        QCOMPARE(surface->pos().y(), -50);
        Press(surface, 50, 61);
        QCOMPARE(surface->DragMode, 6);
        Move(surface, 50, -20);
        Release(surface, 50, -20);
        QCOMPARE(item->Top + item->Height, 100);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        const int ctrl = int(Qt::ControlModifier), shift = int(Qt::ShiftModifier), alt = int(Qt::AltModifier);
        // Item at (0, 50), 10 x 30 (its minimum width), on a 300 x 200 surface.
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << 0 << 51 << 10 << 30;
        QTest::newRow("up") << int(Qt::Key_Up) << 0 << 0 << 49 << 10 << 30;
        QTest::newRow("right") << int(Qt::Key_Right) << 0 << 1 << 50 << 10 << 30;
        QTest::newRow("left at 0") << int(Qt::Key_Left) << 0 << 0 << 50 << 10 << 30;
        QTest::newRow("ctrl+right, as before") << int(Qt::Key_Right) << ctrl << 1 << 50 << 10 << 30;
        QTest::newRow("shift+right by ten") << int(Qt::Key_Right) << shift << 10 << 50 << 10 << 30;
        QTest::newRow("shift+up by ten") << int(Qt::Key_Up) << shift << 0 << 40 << 10 << 30;
        QTest::newRow("shift+down by ten") << int(Qt::Key_Down) << shift << 0 << 60 << 10 << 30;
        QTest::newRow("alt+right grows") << int(Qt::Key_Right) << alt << 0 << 50 << 11 << 30;
        QTest::newRow("alt+left at minimum") << int(Qt::Key_Left) << alt << 0 << 50 << 10 << 30;
        QTest::newRow("alt+down grows") << int(Qt::Key_Down) << alt << 0 << 50 << 10 << 31;
        QTest::newRow("alt+up shrinks") << int(Qt::Key_Up) << alt << 0 << 50 << 10 << 29;
        QTest::newRow("alt+shift+up by ten") << int(Qt::Key_Up) << (alt | shift) << 0 << 50 << 10 << 20;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        auto *item = Add<TShapeLabel>(0, 50, 10, 30);
        QTest::keyClick(canvas, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(item->Left, "left");
        QTEST(item->Top, "top");
        QTEST(item->Width, "width");
        QTEST(item->Height, "height");
    }

    // a (10,10) b (50,10) c (10,50), 20 x 20 each; b selected, as last added.
    // The band selects what it touches; Shift or Ctrl adds to the selection.
    void rubberBand_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("selected");
        // (QTest takes the point (0, 0) for the widget's centre.)
        QTest::newRow("touches a corner") << QPoint(2, 2) << QPoint(10, 10) << 0 << "a";
        QTest::newRow("across two, dragged up") << QPoint(80, 25) << QPoint(0, 15) << 0 << "ab";
        QTest::newRow("one pixel short") << QPoint(2, 2) << QPoint(9, 100) << 0 << "";
        QTest::newRow("shift adds") << QPoint(0, 45) << QPoint(15, 55) << int(Qt::ShiftModifier) << "bc";
        QTest::newRow("ctrl adds") << QPoint(0, 45) << QPoint(15, 55) << int(Qt::ControlModifier) << "bc";
        QTest::newRow("a click on nothing clears") << QPoint(150, 150) << QPoint(150, 150) << 0 << "";
    }
    void rubberBand()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, modifiers);
        const QList<TLabelControl *> items = {Add<TShapeLabel>(10, 10, 20, 20), Add<TShapeLabel>(50, 10, 20, 20),
                                              Add<TShapeLabel>(10, 50, 20, 20)};
        Press(canvas, 60, 20);
        Release(canvas, 60, 20);
        QCOMPARE(canvas->SelectedItems(), QList<TLabelControl *>{items[1]});
        Press(canvas, from.x(), from.y(), Qt::LeftButton, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(canvas->DragMode, 7);
        Move(canvas, (from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        Move(canvas, to.x(), to.y());
        Release(canvas, to.x(), to.y());
        QCOMPARE(canvas->DragMode, 0);
        QString selected;
        for (int i = 0; i < 3; ++i)
            if (items[i]->Selected)
                selected += QChar(u'a' + i);
        QTEST(selected, "selected");
        QVERIFY(selected.isEmpty() ? !canvas->SelectedItem : canvas->SelectedItem->Selected);
    }

    // Shift and Ctrl add and remove; a drag moves all selected items by the
    // same offset, as far as the label lets the group go; so do the keys.
    void severalItemsClickedDraggedAndKeyed()
    {
        auto *a = Add<TShapeLabel>(10, 10, 20, 20);
        auto *b = Add<TShapeLabel>(100, 60, 30, 20);
        Press(canvas, 15, 15);
        Release(canvas, 15, 15);
        Press(canvas, 110, 65, Qt::LeftButton, Qt::ShiftModifier);
        Release(canvas, 110, 65);
        QCOMPARE(canvas->SelectedItems(), (QList<TLabelControl *>{a, b}));
        QCOMPARE(canvas->SelectedItem, b);
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(15, 15));
        QCOMPARE(canvas->SelectedItems(), QList<TLabelControl *>{b});
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(15, 15));
        QCOMPARE(canvas->SelectedItems(), (QList<TLabelControl *>{a, b}));
        // No handles with two: a press on b's corner moves both.
        Press(canvas, 129, 79);
        QCOMPARE(canvas->DragMode, 1);
        Move(canvas, 140, 90);
        Move(canvas, 300, 90); // b would leave the label: the group stops
        Release(canvas, 300, 90);
        QCOMPARE(a->BoundsRect(), (TRect{180, 21, 200, 41}));
        QCOMPARE(b->BoundsRect(), (TRect{270, 71, 300, 91}));
        QCOMPARE(canvas->SelectedItems().size(), 2);
        QTest::keyClick(canvas, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(canvas, Qt::Key_Up);
        QTest::keyClick(canvas, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(a->BoundsRect(), (TRect{170, 20, 190, 41}));
        QCOMPARE(b->BoundsRect(), (TRect{260, 70, 290, 91}));
        // A click on one of them without a drag selects it alone.
        Press(canvas, 180, 30);
        Release(canvas, 180, 30);
        QCOMPARE(canvas->SelectedItems(), QList<TLabelControl *>{a});
        canvas->SelectAll();
        QCOMPARE(canvas->SelectedItems(), (QList<TLabelControl *>{a, b}));
        QCOMPARE(canvas->SelectedItem, a);
    }

    void ctrlUpAtTheTopAndDelete()
    {
        auto *item = Add<TShapeLabel>(20, 0, 30, 30);
        QTest::keyClick(canvas, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(item->Top, 0);
        QTest::keyClick(canvas, Qt::Key_Delete);
        QVERIFY(canvas->Items.isEmpty());
        QCOMPARE(canvas->SelectedItem, nullptr);
        QTest::keyClick(canvas, Qt::Key_Delete); // nothing selected: nothing happens
    }

    void tabCyclesThroughTheItems()
    {
        auto *a = Add<TShapeLabel>(10, 10, 20, 20);
        auto *b = Add<TShapeLabel>(40, 10, 20, 20);
        auto *c = Add<TShapeLabel>(70, 10, 20, 20);
        QCOMPARE(canvas->SelectedItem, c);
        selections.clear();
        QTest::keyClick(canvas, Qt::Key_Tab);
        QCOMPARE(canvas->SelectedItem, a);
        QVERIFY(a->Selected && !c->Selected);
        QTest::keyClick(canvas, Qt::Key_Tab);
        QCOMPARE(canvas->SelectedItem, b);
        // Reported, so the properties panel follows.
        QCOMPARE(selections, (QList<TLabelControl *>{a, b}));

        canvas->SelectItem(nullptr);
        b->SetSelected(false);
        QTest::keyClick(canvas, Qt::Key_Tab);
        QCOMPARE(canvas->SelectedItem, a);

        // The focus stays on the surface.
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_Tab);
        QVERIFY(canvas->hasFocus());
    }

    void rightButton()
    {
        QMenu menu;
        menu.addAction(QStringLiteral("x"));
        canvas->PopupMenu = &menu;
        int popups = 0;
        canvas->OnPopup = [&] { ++popups; };
        auto *item = Add<TShapeLabel>(100, 50, 60, 40);

        Press(canvas, 250, 150, Qt::RightButton);
        Release(canvas, 250, 150, Qt::RightButton);
        QCOMPARE(canvas->SelectedItem, nullptr);
        QVERIFY(!item->Selected);
        QCOMPARE(popups, 0);
        QVERIFY(!menu.isVisible());

        Press(canvas, 120, 60, Qt::RightButton);
        QCOMPARE(canvas->SelectedItem, item);
        QCOMPARE(popups, 1);
        QVERIFY(menu.isVisible());
        QCOMPARE(canvas->DragMode, 0); // the right button never drags
        menu.close();
    }

    void mouseDownEventAndDesignMode()
    {
        QList<std::tuple<Qt::MouseButton, int, int>> downs;
        canvas->OnMouseDown = [&](Qt::MouseButton b, int x, int y) { downs.append({b, x, y}); };
        auto *item = Add<TShapeLabel>(100, 50, 60, 40);
        canvas->SelectItem(nullptr);
        item->SetSelected(false);

        canvas->DesignMode = false;
        Press(canvas, 120, 60);
        Release(canvas, 120, 60);
        QCOMPARE(canvas->SelectedItem, nullptr);
        QCOMPARE(canvas->DragMode, 0);
        QTest::keyClick(canvas, Qt::Key_Tab);
        QCOMPARE(canvas->SelectedItem, nullptr);

        canvas->DesignMode = true;
        Press(canvas, 120, 60);
        Release(canvas, 120, 60);
        Press(canvas, 5, 6, Qt::MiddleButton);
        Release(canvas, 5, 6, Qt::MiddleButton);
        QCOMPARE(canvas->SelectedItem, item);
        QCOMPARE(downs.size(), 3);
        QCOMPARE(downs[0], std::make_tuple(Qt::LeftButton, 120, 60));
        QCOMPARE(downs[2], std::make_tuple(Qt::MiddleButton, 5, 6));
    }

    void attachedItemReturnsToItsEdge()
    {
        auto *item = Add<TShapeLabel>(50, 50, 60, 30);
        item->SetAttach(iaBottom);
        QCOMPARE(item->Top, 170);
        Press(canvas, 100, 180);
        Move(canvas, 120, 100);
        Release(canvas, 120, 100);
        QCOMPARE(item->Top, 170);
        QCOMPARE(item->Left, 0);
        QCOMPARE(item->Width, 300);
    }

    void paintingShowsTheItemsAndRendersLazily()
    {
        auto *text = Add<TTextLabel>(30, 40, 20, 20);
        text->SetText(QStringLiteral("Lazy"));
        QVERIFY(text->Changed); // a change only marks the item
        QTRY_VERIFY(!text->Changed);
        // The auto-sized box took the text's size during the paint.
        QCOMPARE(text->Width, text->ItemBitmap.width());

        // Many small changes: each repaints its old and new box.
        auto *shape = Add<TShapeLabel>(100, 100, 30, 30);
        shape->Brush = {bsSolid, clBlack};
        shape->SetTransparent(false);
        for (int i = 0; i < 40; ++i)
            shape->SetLeft(100 + i * 3);
        QTest::qWait(20);
        const QImage shown = canvas->grab().toImage();
        QCOMPARE(shown.pixel(shape->Left + 15, 115) & 0xFFFFFF, 0u);
        QCOMPARE(shown.pixel(105, 115) & 0xFFFFFF, 0xFFFFFFu); // the old place is clean

        QImage direct(canvas->size(), QImage::Format_RGB32);
        direct.fill(shown.pixel(0, 0));
        QPainter p(&direct);
        canvas->PaintTo(p);
        p.end();
        QCOMPARE(direct.convertToFormat(QImage::Format_RGB32), shown.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(CanvasTest)
#include "canvas_qtest.moc"
