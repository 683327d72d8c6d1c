#pragma once
// Arranging several boxes at once: aligning, distributing with equal gaps,
// centring on the label and matching sizes. Pure functions on design-pixel
// boxes; the designer applies what they return to its items as one step.

#include "model/items.h"

#include <QList>

enum class TArrange {
    AlignLeft, AlignCentre, AlignRight, AlignTop, AlignMiddle, AlignBottom,
    DistributeHorz, DistributeVert, CentreHorz, CentreVert, SameWidth, SameHeight
};

// The smallest box holding all of them; an empty list gives an empty box.
TRect JointBox(const QList<TRect> &boxes);

// How many boxes the arrangement needs to mean anything: aligning and
// centring one, matching sizes two, distributing three.
int ArrangeMinimum(TArrange how);

// The boxes after the arrangement, in their order. Alignment is to the boxes'
// joint box, or to `label` when there is only one. Centring moves the joint
// box as a whole, so the boxes keep their places among themselves.
// Distributing keeps the outermost two (by centre) where they are and makes
// the gaps between neighbours equal; a pixel left over goes to the later
// gaps. The same-size arrangements copy the size of boxes[reference] and keep
// each box's top-left corner. Centres that fall between two pixels go to the
// left or top one. Fewer boxes than ArrangeMinimum: unchanged.
QList<TRect> Arrange(const QList<TRect> &boxes, TArrange how, const TRect &label, int reference = 0);
