// Zoom of the design surface: the menu entries, the zoom box in the status bar
// and Ctrl+wheel. Only the view changes; items keep their design pixels.

#include "app/fmain.h"

#include "app/rulers.h"
#include "canvas/canvaslabel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QWheelEvent>

#include <cmath>

namespace {

QString ZoomText(double zoom)
{
    return QString::number(qRound(zoom * 100)) + QLatin1Char('%');
}

} // namespace

void TFMain::BuildZoomBox()
{
    ZoomBox = new QComboBox(statusBar());
    ZoomBox->setObjectName(QStringLiteral("ZoomBox"));
    ZoomBox->setToolTip(tr("显示比例"));
    ZoomBox->setEditable(true);
    ZoomBox->setInsertPolicy(QComboBox::NoInsert);
    // The preset levels, as the zoom-in command steps through them.
    for (double z = TCanvasLabel::kMinZoom; z < TCanvasLabel::kMaxZoom; z = TCanvasLabel::StepZoom(z, 1))
        ZoomBox->addItem(ZoomText(z), z);
    ZoomBox->addItem(ZoomText(TCanvasLabel::kMaxZoom), TCanvasLabel::kMaxZoom);
    // Last, with no level of its own: the level depends on the window.
    ZoomBox->addItem(tr("缩放到合适大小"), 0.0);
    ZoomBox->setCurrentIndex(ZoomBox->findData(1.0));
    statusBar()->addPermanentWidget(ZoomBox);
    connect(ZoomBox, &QComboBox::activated, this, [this](int index) {
        const double zoom = ZoomBox->itemData(index).toDouble();
        if (zoom > 0)
            SetZoom(zoom);
        else
            ZoomToFit1Click();
    });
    connect(ZoomBox->lineEdit(), &QLineEdit::editingFinished, this, &TFMain::ApplyZoomBoxText);

    // Ctrl++ as well, for keyboards where + is the shifted =.
    if (auto *zoomIn = findChild<QAction *>(QStringLiteral("ZoomIn1")))
        zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
}

void TFMain::ApplyZoomBoxText()
{
    QString text = ZoomBox->currentText().trimmed();
    if (text == ZoomBox->itemText(ZoomBox->count() - 1)) {
        ZoomToFit1Click();
        return;
    }
    if (text.endsWith(QLatin1Char('%')))
        text.chop(1);
    bool ok = false;
    const double percent = QLocale().toDouble(text.trimmed(), &ok);
    if (ok && percent > 0)
        SetZoom(percent / 100.0);
    else // not a number: the box shows the zoom again
        SetZoom(Surface->Zoom());
}

void TFMain::ZoomIn1Click() { SetZoom(TCanvasLabel::StepZoom(Surface->Zoom(), 1)); }
void TFMain::ZoomOut1Click() { SetZoom(TCanvasLabel::StepZoom(Surface->Zoom(), -1)); }
void TFMain::ActualSize1Click() { SetZoom(1.0); }

void TFMain::ZoomToFit1Click()
{
    // Whole percents, so that the zoom box says exactly what is shown, and a
    // few pixels to spare, so that the label's far edges show.
    constexpr int kSpare = 8;
    const double across = double(PMain->width() - kSpare) / qMax(1, Surface->SurfaceWidth());
    const double down = double(PMain->height() - kSpare) / qMax(1, Surface->SurfaceHeight());
    SetZoom(std::floor(qMin(across, down) * 100) / 100);
}

void TFMain::SetZoom(double zoom, QPoint anchor)
{
    if (anchor.x() < 0 || anchor.y() < 0)
        anchor = QPoint(PMain->width() / 2, PMain->height() / 2);
    const double before = Surface->Zoom();
    // The label point (in design pixels) under the anchor.
    const double dx = (anchor.x() - Surface->x()) / before;
    const double dy = (anchor.y() - Surface->y()) / before;
    Surface->SetZoom(zoom);
    const double after = Surface->Zoom();
    UpdateScrollRanges();
    // Near the label's start the scroll bars stop at 0, and the point moves.
    HScrollBar->setValue(qRound(dx * after - anchor.x()));
    VScrollBar->setValue(qRound(dy * after - anchor.y()));
    ApplyScroll();

    const QSignalBlocker block(ZoomBox);
    const int preset = ZoomBox->findData(after);
    if (preset >= 0)
        ZoomBox->setCurrentIndex(preset);
    ZoomBox->setEditText(ZoomText(after));
}

bool TFMain::WheelOnSurface(QWidget *watched, QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        // Scrolling a zoomed label: the wheel drives the scroll bars, Shift
        // or a sideways turn the horizontal one.
        const bool sideways = (event->modifiers() & Qt::ShiftModifier)
                              || qAbs(event->angleDelta().x()) > qAbs(event->angleDelta().y());
        QScrollBar *bar = sideways ? HScrollBar : VScrollBar;
        const int delta = sideways && event->angleDelta().x() ? event->angleDelta().x() : event->angleDelta().y();
        bar->setValue(bar->value() - delta * bar->singleStep() * 3 / 120);
        return true;
    }
    // One step per notch; a fine-grained wheel gathers its turns first.
    wheelZoom_ += event->angleDelta().y();
    double zoom = Surface->Zoom();
    for (; wheelZoom_ >= 120; wheelZoom_ -= 120)
        zoom = TCanvasLabel::StepZoom(zoom, 1);
    for (; wheelZoom_ <= -120; wheelZoom_ += 120)
        zoom = TCanvasLabel::StepZoom(zoom, -1);
    SetZoom(zoom, watched->mapTo(PMain, event->position().toPoint()));
    return true;
}
