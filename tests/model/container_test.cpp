#include "model/items.h"

#include <gtest/gtest.h>

namespace {
// Counts what the design surface would be asked to do.
struct Recorder : TItemContainer {
    int invalidates = 0, cursorResets = 0;
    QList<TLabelControl *> changed, selections;
    Recorder()
    {
        SetSurfaceSize(200, 100);
        OnSelectItem = [this](TLabelControl *i) { selections.append(i); };
    }
    void Invalidate() override { ++invalidates; }
    void ItemChanged(TLabelControl *i) override { changed.append(i); }
    void ResetCursor() override { ++cursorResets; }
};

TLabelControl *Add(Recorder &r, TItemKind kind, TRect box = {0, 0, 20, 20})
{
    TLabelControl *it = CreateItem(kind);
    it->SetBoundsRect(box, true);
    r.AddItem(it);
    return it;
}
} // namespace

TEST(Container, AddItemSelectsAndWires)
{
    Recorder r;
    TLabelControl *a = Add(r, ikText);
    TLabelControl *b = Add(r, ikShape, {190, 90, 240, 130});
    EXPECT_EQ(r.Items, (QList<TLabelControl *>{a, b}));
    EXPECT_FALSE(a->Selected);
    EXPECT_TRUE(b->Selected);
    EXPECT_EQ(r.SelectedItem, b);
    EXPECT_EQ(r.selections, (QList<TLabelControl *>{a, b}));
    EXPECT_EQ(b->LabelCanvas, &r);
    EXPECT_EQ(b->ParentRect, (TRect{0, 0, 200, 100}));
    // Placing re-applies the box size first, so an overhanging box shrinks.
    EXPECT_EQ(b->BoundsRect(), (TRect{190, 90, 200, 100}));
    EXPECT_EQ(r.invalidates, 2);
    r.changed.clear();
    b->SetText(QStringLiteral("x"));
    EXPECT_EQ(r.changed, (QList<TLabelControl *>{b}));
}

TEST(Container, DeleteAndClear)
{
    Recorder r;
    TLabelControl *a = Add(r, ikText);
    Add(r, ikBarcode);
    r.selections.clear();
    r.DeleteSelected();
    EXPECT_EQ(r.Items, (QList<TLabelControl *>{a}));
    EXPECT_EQ(r.SelectedItem, nullptr);
    EXPECT_EQ(r.selections, (QList<TLabelControl *>{nullptr}));
    EXPECT_EQ(r.cursorResets, 1);
    r.DeleteSelected(); // nothing selected: nothing happens
    EXPECT_EQ(r.Items.size(), 1);
    EXPECT_EQ(r.cursorResets, 1);

    r.SelectItem(a);
    r.selections.clear();
    r.ClearItems();
    EXPECT_TRUE(r.Items.isEmpty());
    EXPECT_EQ(r.SelectedItem, nullptr);
    EXPECT_TRUE(r.selections.isEmpty());
}

TEST(Container, StackingOrder)
{
    Recorder r;
    TLabelControl *a = Add(r, ikText);
    TLabelControl *b = Add(r, ikText);
    TLabelControl *c = Add(r, ikText);
    const struct {
        TLabelControl *select;
        bool front;
        QList<TLabelControl *> order;
    } steps[] = {
        {a, true, {b, c, a}},
        {c, false, {c, b, a}},
        {b, true, {c, a, b}},
        {b, false, {b, c, a}},
    };
    for (const auto &s : steps) {
        r.SelectItem(s.select);
        s.select->Changed = false;
        s.front ? r.BringToFront() : r.SendToBack();
        EXPECT_EQ(r.Items, s.order);
        EXPECT_TRUE(s.select->Changed);
    }
    r.SelectItem(nullptr);
    r.BringToFront();
    EXPECT_EQ(r.Items, (QList<TLabelControl *>{b, c, a}));
}

TEST(Container, SelectNextWrapsAndReportsEachSelection)
{
    Recorder r;
    r.SelectNext(); // empty: no crash, nothing selected
    EXPECT_EQ(r.SelectedItem, nullptr);
    TLabelControl *a = Add(r, ikText);
    TLabelControl *b = Add(r, ikText);
    TLabelControl *c = Add(r, ikText);
    r.selections.clear();
    const QList<TLabelControl *> expected = {a, b, c, a};
    for (TLabelControl *e : expected) {
        r.SelectNext();
        EXPECT_EQ(r.SelectedItem, e);
        for (TLabelControl *it : r.Items)
            EXPECT_EQ(it->Selected, it == e);
    }
    EXPECT_EQ(r.selections, expected);
    r.SelectItem(nullptr);
    r.SelectNext();
    EXPECT_EQ(r.SelectedItem, a);
    EXPECT_EQ(r.selections, (QList<TLabelControl *>{a, b, c, a, nullptr, a}));
}

TEST(Container, FitItemsAfterShrink)
{
    Recorder r;
    r.SetSurfaceSize(400, 300);
    TLabelControl *inside = Add(r, ikShape, {10, 10, 60, 40});
    TLabelControl *out = Add(r, ikShape, {300, 200, 380, 260});
    TLabelControl *big = Add(r, ikShape, {0, 0, 350, 250});
    r.SetSurfaceSize(200, 100);
    r.FitItems();
    EXPECT_EQ(inside->BoundsRect(), (TRect{10, 10, 60, 40}));
    EXPECT_EQ(out->BoundsRect(), (TRect{120, 40, 200, 100}));
    EXPECT_EQ(big->BoundsRect(), (TRect{0, 0, 200, 100}));
    for (TLabelControl *it : r.Items)
        EXPECT_EQ(it->ParentRect, (TRect{0, 0, 200, 100}));
}
