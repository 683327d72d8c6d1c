// Several items at once in the main window: select all, cut, duplicate, and
// the copies a paste or a duplicate adds, placed together.

#include "app/fmain.h"

#include "canvas/canvaslabel.h"
#include "model/labelundo.h"
#include "model/selection.h"
#include "render/itemrender.h"
#include "storage/document.h"

#include <QLineEdit>

QList<TLabelControl *> TFMain::SelectionList() const
{
    return Surface->EditedItems();
}

void TFMain::SelectAll1Click()
{
    if (!Surface->DesignMode)
        return;
    Surface->SelectAll();
    Surface->setFocus(Qt::ShortcutFocusReason);
}

void TFMain::Cut1Click()
{
    if (eText->hasFocus()) {
        eText->cut();
        return;
    }
    if (SelectionList().isEmpty())
        return;
    Copy1Click();
    DeleteSelectedItem(UndoStack(), Document->UndoTarget(), tr("剪切"));
}

void TFMain::Duplicate1Click()
{
    const QList<TLabelControl *> items = SelectionList();
    if (items.isEmpty())
        return;
    // One grid step down and to the right, so the copy shows beside its original.
    AddCopies(std::vector<const TLabelControl *>(items.begin(), items.end()), Round(Surface->GridStepX()),
              Round(Surface->GridStepY()),
              tr("复制副本"));
}

QPoint TFMain::PasteCentre() const
{
    if (const std::optional<QPoint> pointer = Surface->PointerPoint())
        return *pointer;
    // The part of the surface the viewport shows, in the surface's coordinates.
    const QRect shown = QRect(-Surface->pos(), PMain->size()) & Surface->rect();
    const QRectF view = shown.isEmpty() ? QRectF(Surface->rect()) : QRectF(shown);
    return Surface->ToDesign(view.center());
}

void TFMain::AddCopies(const std::vector<const TLabelControl *> &sources, int dx, int dy, const QString &name)
{
    if (sources.empty())
        return;
    QList<TLabelControl *> copies;
    for (const TLabelControl *source : sources)
        copies.append(source->Clone().release());
    const QPoint d = KeptInside(BoundsOf(copies), dx, dy, Surface->SurfaceWidth(), Surface->SurfaceHeight());
    for (TLabelControl *item : std::as_const(copies)) {
        item->OnBoundsChange = [this](TLabelControl *) { RefreshStatus(); };
        const int left = item->Left + d.x(), top = item->Top + d.y();
        Surface->AddItem(item);
        item->SetBoundsRect({left, top, left + item->Width, top + item->Height}, true);
    }
    for (TLabelControl *item : std::as_const(copies))
        if (!item->Selected)
            item->SetSelected(true);
    Surface->SelectItem(copies.last());
    Surface->update();
    RecordItemsAdded(UndoStack(), Document->UndoTarget(), copies, name);
}
