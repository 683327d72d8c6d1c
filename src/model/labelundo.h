#pragma once
// Undo and redo of label changes. Each change is one QUndoCommand holding only
// what it changed: the item it touched with its place in the stacking order,
// or the label format with the boxes it moved; never a copy of the label.
// A change is made first and recorded afterwards (the first redo does
// nothing), so the commands of the designer run exactly as before.

#include "model/items.h"
#include "model/labelformat.h"

#include <QUndoCommand>
#include <functional>
#include <memory>
#include <vector>

class QUndoStack;

// What the steps act on, and who follows a restored label.
struct TUndoTarget {
    explicit TUndoTarget(TItemContainer &items) : Items(items) {}
    TItemContainer &Items;
    // Raised after a step was undone or redone (not when it is first done).
    std::function<void()> OnRestored;
};

// A detached copy of all an item stores: its plain text even while its parts
// are in use, its parts with their counter values, its picture (shared, not
// copied), and the sizes its last drawing found.
std::unique_ptr<TLabelControl> ItemSnapshot(const TLabelControl &item);
bool SameItemState(const TLabelControl &a, const TLabelControl &b);
// Puts a snapshot of the same kind back into a live item and repaints it.
void RestoreItemState(TLabelControl &item, const TLabelControl &state);

// Records an item just added (add tools, paste) as a step.
void RecordItemAdded(QUndoStack *stack, TUndoTarget &target, TLabelControl *item, const QString &text);
// Records items just added together (a group pasted or duplicated) as one step.
void RecordItemsAdded(QUndoStack *stack, TUndoTarget &target, const QList<TLabelControl *> &items,
                      const QString &text);
// The selected items deleted as one step; the command keeps them, so undo
// puts the same items back, each in its place. False when nothing is selected.
bool DeleteSelectedItem(QUndoStack *stack, TUndoTarget &target, const QString &text);
// The selected item brought to the front or sent to the back as a step;
// false when nothing is selected or it is there already.
bool RestackSelectedItem(QUndoStack *stack, TUndoTarget &target, bool toFront, const QString &text);

// One edit of one item: the state before is taken when made; Commit records
// the change when the item differs from it.
class TItemEdit {
public:
    // Keys pressed and held on one item, and typing in one item's text,
    // become one step: a joining edit merges into the step before it when
    // that is the same kind of edit of the same item.
    enum TMerge { Alone = -1, Typing = 1, Keys = 2 };

    TItemEdit(TUndoTarget &target, const TLabelControl *item);
    bool Commit(QUndoStack *stack, const QString &text, TMerge merge = Alone, bool join = false);
    const TLabelControl *Item() const { return item_; }
    // Whether the item's box differs from the one it had (a move or a resize).
    bool SizeChanged() const;

private:
    TUndoTarget &target_;
    const TLabelControl *item_;
    std::unique_ptr<TLabelControl> before_;
};

// One edit of several items (a group move, an alignment): one step that
// restores all of them; the items unchanged by it are left out.
class TItemsEdit {
public:
    TItemsEdit(TUndoTarget &target, const QList<TLabelControl *> &items);
    bool Commit(QUndoStack *stack, const QString &text, TItemEdit::TMerge merge = TItemEdit::Alone,
                bool join = false);
    // Whether any item's size differs from the one it had (a resize, not a move).
    bool SizeChanged() const;

private:
    TUndoTarget &target_;
    std::vector<std::pair<const TLabelControl *, std::unique_ptr<TLabelControl>>> before_;
};

// A change of the label format (the label format dialog, a template): the
// format and the boxes that fitting the items to the new size moved.
class TLabelFormatEdit {
public:
    explicit TLabelFormatEdit(TUndoTarget &target);
    bool Commit(QUndoStack *stack, const QString &text);

private:
    TUndoTarget &target_;
    TLabelFormat before_;
    std::vector<TRect> bounds_;
};

// Counters advanced by printing: the items whose parts changed.
class TCounterEdit {
public:
    explicit TCounterEdit(TUndoTarget &target);
    bool Commit(QUndoStack *stack, const QString &text);

private:
    TUndoTarget &target_;
    std::vector<std::unique_ptr<TLabelControl>> before_;
};
