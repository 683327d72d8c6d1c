#include "model/items.h"

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

QList<TLabelControl *> TItemContainer::SelectedItems() const
{
    QList<TLabelControl *> out;
    for (TLabelControl *it : Items)
        if (it->Selected)
            out.append(it);
    return out;
}

QList<TLabelControl *> TItemContainer::EditedItems() const
{
    if (SelectedItem && !SelectedItem->Selected)
        return {SelectedItem};
    return SelectedItems();
}

void TItemContainer::SelectItem(TLabelControl *item)
{
    SelectedItem = item;
    if (OnSelectItem)
        OnSelectItem(item);
}

void TItemContainer::DeleteSelected()
{
    const QList<TLabelControl *> gone = EditedItems();
    if (gone.isEmpty())
        return;
    for (TLabelControl *item : std::as_const(gone)) {
        Items.removeAll(item);
        delete item;
    }
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
