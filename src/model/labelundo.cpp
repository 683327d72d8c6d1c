#include "model/labelundo.h"

#include "model/itemproperties.h"

#include <QUndoStack>
#include <algorithm>
#include <type_traits>

namespace {

// ------------------------------------------------------------ item state

// Calls op(x, y) for what two items of the same kind store besides the rows
// of itemproperties.h. Rendering results other than the sizes it found (the
// bitmap, the barcode's error) are left out: the next drawing makes them again.
template <class A, class B, class Op> void UnlistedState(A &a, B &b, Op &&op)
{
    op(a.Top, b.Top);
    op(a.Left, b.Left);
    op(a.Width, b.Width);
    op(a.Height, b.Height);
    op(a.MinWidth, b.MinWidth);
    op(a.MinHeight, b.MinHeight);
    op(a.BitmapTransparent, b.BitmapTransparent);
    op(a.TransparentColor, b.TransparentColor);
    op(a.Text, b.Text);
    op(a.Font, b.Font);
    op(a.Fields, b.Fields);
    if (a.Kind == ikGraphic) {
        using G = std::conditional_t<std::is_const_v<A>, const TGraphicLabel, TGraphicLabel>;
        using H = std::conditional_t<std::is_const_v<B>, const TGraphicLabel, TGraphicLabel>;
        auto &x = static_cast<G &>(a);
        auto &y = static_cast<H &>(b);
        op(x.Picture, y.Picture);
        op(x.PictureFile, y.PictureFile);
        op(x.FileName, y.FileName);
        op(x.PictureData, y.PictureData);
        op(x.PictureFormat, y.PictureFormat);
        op(x.Embedded, y.Embedded);
    }
    if (a.Kind == ikBarcode) {
        using G = std::conditional_t<std::is_const_v<A>, const TBarcodeLabel, TBarcodeLabel>;
        using H = std::conditional_t<std::is_const_v<B>, const TBarcodeLabel, TBarcodeLabel>;
        op(static_cast<G &>(a).BarcodeNamedOptions, static_cast<H &>(b).BarcodeNamedOptions);
    }
}

template <class T> void Assign(T &to, const T &from) { to = from; }
void Assign(TFieldList &to, const TFieldList &from) { to = CloneFields(from); }

template <class T> bool Same(const T &a, const T &b) { return a == b; }
bool Same(const QImage &a, const QImage &b) { return a.cacheKey() == b.cacheKey() || a == b; }
bool Same(const TAdvancedField &a, const TAdvancedField &b) { return SameField(a, b); }
bool Same(const TFieldList &a, const TFieldList &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (bool(a[i]) != bool(b[i]) || (a[i] && !Same(*a[i], *b[i])))
            return false;
    return true;
}

void CopyState(TLabelControl &to, const TLabelControl &from)
{
    UnlistedState(to, from, [](auto &x, const auto &y) { Assign(x, y); });
    CopyProperties(from, to);
}

// ------------------------------------------------------------ list changes

void Select(TItemContainer &items, TLabelControl *item)
{
    for (TLabelControl *it : std::as_const(items.Items))
        if (it->Selected && it != item)
            it->SetSelected(false);
    if (item && !item->Selected)
        item->SetSelected(true);
    items.SelectItem(item);
}

// Puts a detached item back at its place, exactly as it was (no clamping:
// the box is the one it had in this list).
void Insert(TItemContainer &items, qsizetype index, TLabelControl *item)
{
    items.Items.insert(qBound<qsizetype>(0, index, items.Items.size()), item);
    item->OnChange = [&items](TLabelControl *changed) { items.ItemChanged(changed); };
    item->LabelCanvas = &items;
    item->ParentRect = {0, 0, items.SurfaceWidth(), items.SurfaceHeight()};
    item->Changed = true;
    Select(items, item);
    items.Invalidate();
}

TLabelControl *Detach(TItemContainer &items, qsizetype index)
{
    TLabelControl *item = items.Items.takeAt(index);
    if (items.SelectedItem == item)
        items.SelectItem(nullptr);
    item->Selected = false;
    item->OnChange = nullptr;
    item->LabelCanvas = nullptr;
    items.ResetCursor();
    items.Invalidate();
    return item;
}

// A change made before it is recorded: the first redo is the change itself.
class TLabelCommand : public QUndoCommand {
public:
    TLabelCommand(TUndoTarget &target, const QString &text) : QUndoCommand(text), target_(target) {}
    void redo() final
    {
        if (first_) {
            first_ = false;
            return;
        }
        Apply(true);
        if (target_.OnRestored)
            target_.OnRestored();
    }
    void undo() final
    {
        Apply(false);
        if (target_.OnRestored)
            target_.OnRestored();
    }

protected:
    virtual void Apply(bool forward) = 0;
    TUndoTarget &target_;
    bool first_ = true;
};

// Items added (forward) or removed; while out of the list the command owns
// them. Indexes ascend and are those the items have while in the list.
class TItemPresenceCommand : public TLabelCommand {
public:
    TItemPresenceCommand(TUndoTarget &target, const QString &text, std::vector<qsizetype> indexes, bool adds)
        : TLabelCommand(target, text), indexes_(std::move(indexes)), held_(indexes_.size()), adds_(adds)
    {
    }
    // The removed items, owned from the start by a delete (in index order).
    void Hold(size_t i, TLabelControl *item) { held_[i].reset(item); }
    ~TItemPresenceCommand() override = default;

protected:
    void Apply(bool forward) override
    {
        TItemContainer &items = target_.Items;
        if (forward == adds_) {
            // Ascending, so each lands where it was; then all of them selected.
            QList<TLabelControl *> back;
            for (size_t i = 0; i < indexes_.size(); ++i)
                if (held_[i]) {
                    back.append(held_[i].get());
                    Insert(items, indexes_[i], held_[i].release());
                }
            for (TLabelControl *item : std::as_const(back))
                if (!item->Selected)
                    item->SetSelected(true);
        } else {
            for (size_t i = indexes_.size(); i-- > 0;)
                if (indexes_[i] >= 0 && indexes_[i] < items.Items.size())
                    held_[i].reset(Detach(items, indexes_[i]));
        }
    }

private:
    std::vector<qsizetype> indexes_;
    std::vector<std::unique_ptr<TLabelControl>> held_;
    bool adds_;
};

class TRestackCommand : public TLabelCommand {
public:
    TRestackCommand(TUndoTarget &target, const QString &text, qsizetype from, qsizetype to)
        : TLabelCommand(target, text), from_(from), to_(to)
    {
    }

protected:
    void Apply(bool forward) override
    {
        TItemContainer &items = target_.Items;
        const qsizetype from = forward ? from_ : to_;
        const qsizetype to = forward ? to_ : from_;
        if (from < 0 || from >= items.Items.size() || to < 0 || to >= items.Items.size())
            return;
        items.Items.move(from, to);
        TLabelControl *item = items.Items[to];
        Select(items, item);
        item->MarkChanged(true);
        items.Invalidate();
    }

private:
    qsizetype from_, to_;
};

// Items changed in place: their states before and after.
class TItemStateCommand : public TLabelCommand {
public:
    struct TEntry {
        qsizetype Index;
        std::unique_ptr<TLabelControl> Before, After;
    };
    TItemStateCommand(TUndoTarget &target, const QString &text, std::vector<TEntry> entries, int merge, bool join)
        : TLabelCommand(target, text), entries_(std::move(entries)), merge_(merge), join_(join)
    {
    }
    int id() const override { return merge_; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *o = static_cast<const TItemStateCommand *>(other);
        if (!o->join_ || o->text() != text() || o->entries_.size() != entries_.size())
            return false;
        for (size_t i = 0; i < entries_.size(); ++i)
            if (o->entries_[i].Index != entries_[i].Index)
                return false;
        bool same = true;
        for (size_t i = 0; i < entries_.size(); ++i) {
            entries_[i].After = ItemSnapshot(*o->entries_[i].After);
            same = same && SameItemState(*entries_[i].Before, *entries_[i].After);
        }
        setObsolete(same);
        return true;
    }

protected:
    void Apply(bool forward) override
    {
        TItemContainer &items = target_.Items;
        TLabelControl *last = nullptr;
        for (const TEntry &e : entries_) {
            if (e.Index < 0 || e.Index >= items.Items.size())
                continue;
            last = items.Items[e.Index];
            RestoreItemState(*last, forward ? *e.After : *e.Before);
        }
        if (last && entries_.size() == 1)
            Select(items, last);
        items.Invalidate();
    }

private:
    std::vector<TEntry> entries_;
    int merge_;
    bool join_;
};

class TLabelFormatCommand : public TLabelCommand {
public:
    struct TMove {
        qsizetype Index;
        TRect Before, After;
    };
    TLabelFormatCommand(TUndoTarget &target, const QString &text, const TLabelFormat &before,
                        const TLabelFormat &after, std::vector<TMove> moves)
        : TLabelCommand(target, text), before_(before), after_(after), moves_(std::move(moves))
    {
    }

protected:
    void Apply(bool forward) override
    {
        TItemContainer &items = target_.Items;
        items.LabelFormat = forward ? after_ : before_;
        items.FitSurfaceToFormat();
        const TRect parent{0, 0, items.SurfaceWidth(), items.SurfaceHeight()};
        for (TLabelControl *item : std::as_const(items.Items))
            item->ParentRect = parent;
        for (const TMove &m : moves_) {
            if (m.Index < 0 || m.Index >= items.Items.size())
                continue;
            TLabelControl *item = items.Items[m.Index];
            const TRect &r = forward ? m.After : m.Before;
            item->SaveOldBounds();
            item->Left = r.Left;
            item->Top = r.Top;
            item->Width = r.width();
            item->Height = r.height();
            item->MarkChanged(true);
        }
        items.Invalidate();
    }

private:
    TLabelFormat before_, after_;
    std::vector<TMove> moves_;
};

void Push(QUndoStack *stack, QUndoCommand *command)
{
    if (stack)
        stack->push(command);
    else
        delete command;
}

} // namespace

// ------------------------------------------------------------ public

std::unique_ptr<TLabelControl> ItemSnapshot(const TLabelControl &item)
{
    std::unique_ptr<TLabelControl> copy(CreateItem(item.Kind));
    if (copy)
        CopyState(*copy, item);
    return copy;
}

bool SameItemState(const TLabelControl &a, const TLabelControl &b)
{
    if (a.Kind != b.Kind)
        return false;
    bool same = true;
    UnlistedState(a, b, [&same](const auto &x, const auto &y) { same = same && Same(x, y); });
    for (auto rows : {CommonProperties(), KindProperties(a.Kind)})
        for (const TItemProperty &row : rows)
            same = same && row.Get(a) == row.Get(b);
    return same;
}

void RestoreItemState(TLabelControl &item, const TLabelControl &state)
{
    if (item.Kind != state.Kind)
        return;
    item.SaveOldBounds();
    CopyState(item, state);
    item.MarkChanged(true);
    if (item.OnBoundsChange)
        item.OnBoundsChange(&item);
}

void RecordItemAdded(QUndoStack *stack, TUndoTarget &target, TLabelControl *item, const QString &text)
{
    RecordItemsAdded(stack, target, {item}, text);
}

void RecordItemsAdded(QUndoStack *stack, TUndoTarget &target, const QList<TLabelControl *> &added,
                      const QString &text)
{
    std::vector<qsizetype> indexes;
    for (TLabelControl *item : added)
        if (const qsizetype index = target.Items.Items.indexOf(item); index >= 0)
            indexes.push_back(index);
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    if (!indexes.empty())
        Push(stack, new TItemPresenceCommand(target, text, std::move(indexes), true));
}

bool DeleteSelectedItem(QUndoStack *stack, TUndoTarget &target, const QString &text)
{
    TItemContainer &items = target.Items;
    const QList<TLabelControl *> gone = items.EditedItems();
    std::vector<qsizetype> indexes;
    for (qsizetype i = 0; i < items.Items.size(); ++i)
        if (gone.contains(items.Items[i]))
            indexes.push_back(i);
    if (indexes.empty())
        return false;
    if (!stack) {
        items.DeleteSelected();
        return true;
    }
    auto *command = new TItemPresenceCommand(target, text, indexes, false);
    for (size_t i = indexes.size(); i-- > 0;)
        command->Hold(i, Detach(items, indexes[i]));
    stack->push(command);
    return true;
}

bool RestackSelectedItem(QUndoStack *stack, TUndoTarget &target, bool toFront, const QString &text)
{
    TItemContainer &items = target.Items;
    const qsizetype from = items.Items.indexOf(items.SelectedItem);
    if (from < 0)
        return false;
    const qsizetype to = toFront ? items.Items.size() - 1 : 0;
    if (toFront)
        items.BringToFront();
    else
        items.SendToBack();
    if (from == to)
        return false;
    Push(stack, new TRestackCommand(target, text, from, to));
    return true;
}

TItemEdit::TItemEdit(TUndoTarget &target, const TLabelControl *item)
    : target_(target), item_(item), before_(item ? ItemSnapshot(*item) : nullptr)
{
}

bool TItemEdit::SizeChanged() const
{
    return item_ && before_ && (item_->Width != before_->Width || item_->Height != before_->Height);
}

bool TItemEdit::Commit(QUndoStack *stack, const QString &text, TMerge merge, bool join)
{
    if (!item_ || !before_)
        return false;
    const qsizetype index = target_.Items.Items.indexOf(const_cast<TLabelControl *>(item_));
    if (index < 0 || SameItemState(*item_, *before_))
        return false;
    std::vector<TItemStateCommand::TEntry> entries;
    entries.push_back({index, std::move(before_), ItemSnapshot(*item_)});
    before_ = ItemSnapshot(*item_);
    Push(stack, new TItemStateCommand(target_, text, std::move(entries), merge, join));
    return true;
}

TItemsEdit::TItemsEdit(TUndoTarget &target, const QList<TLabelControl *> &items) : target_(target)
{
    for (const TLabelControl *item : items)
        if (item)
            before_.emplace_back(item, ItemSnapshot(*item));
}

bool TItemsEdit::Commit(QUndoStack *stack, const QString &text, TItemEdit::TMerge merge, bool join)
{
    std::vector<TItemStateCommand::TEntry> entries;
    for (auto &[item, before] : before_) {
        const qsizetype index = target_.Items.Items.indexOf(const_cast<TLabelControl *>(item));
        if (index < 0 || !before || SameItemState(*item, *before))
            continue;
        entries.push_back({index, std::move(before), ItemSnapshot(*item)});
        before = ItemSnapshot(*item);
    }
    if (entries.empty())
        return false;
    Push(stack, new TItemStateCommand(target_, text, std::move(entries), merge, join));
    return true;
}

bool TItemsEdit::SizeChanged() const
{
    for (const auto &[item, before] : before_)
        if (before && (item->Width != before->Width || item->Height != before->Height))
            return true;
    return false;
}

TLabelFormatEdit::TLabelFormatEdit(TUndoTarget &target) : target_(target), before_(target.Items.LabelFormat)
{
    for (const TLabelControl *item : std::as_const(target.Items.Items))
        bounds_.push_back(item->BoundsRect());
}

bool TLabelFormatEdit::Commit(QUndoStack *stack, const QString &text)
{
    const QList<TLabelControl *> &items = target_.Items.Items;
    std::vector<TLabelFormatCommand::TMove> moves;
    for (qsizetype i = 0; i < items.size() && i < qsizetype(bounds_.size()); ++i)
        if (!(items[i]->BoundsRect() == bounds_[i]))
            moves.push_back({i, bounds_[i], items[i]->BoundsRect()});
    const TLabelFormat &now = target_.Items.LabelFormat;
    const TLabelFormat &was = before_;
    const bool sameFormat = now.Label_Width == was.Label_Width && now.Label_Height == was.Label_Height
                            && now.Margin_Top == was.Margin_Top && now.Margin_Left == was.Margin_Left
                            && now.Gap_Height == was.Gap_Height && now.Gap_Width == was.Gap_Width
                            && now.Metric == was.Metric && now.Millimetres == was.Millimetres && now.Roll == was.Roll
                            && now.MaxColumns == was.MaxColumns && now.MaxRows == was.MaxRows;
    if (sameFormat && moves.empty())
        return false;
    Push(stack, new TLabelFormatCommand(target_, text, before_, now, std::move(moves)));
    return true;
}

TCounterEdit::TCounterEdit(TUndoTarget &target) : target_(target)
{
    // Only the items with parts can count.
    for (const TLabelControl *item : std::as_const(target.Items.Items))
        before_.push_back(item->Fields.empty() ? nullptr : ItemSnapshot(*item));
}

bool TCounterEdit::Commit(QUndoStack *stack, const QString &text)
{
    const QList<TLabelControl *> &items = target_.Items.Items;
    std::vector<TItemStateCommand::TEntry> entries;
    for (qsizetype i = 0; i < items.size() && i < qsizetype(before_.size()); ++i)
        if (before_[i] && !Same(items[i]->Fields, before_[i]->Fields))
            entries.push_back({i, std::move(before_[i]), ItemSnapshot(*items[i])});
    before_.clear();
    if (entries.empty())
        return false;
    Push(stack, new TItemStateCommand(target_, text, std::move(entries), TItemEdit::Alone, false));
    return true;
}
