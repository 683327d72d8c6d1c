#include "canvas/render/itemrender.h"

// Placeholders until item rendering lands.
void TBarcodeLabel::Render() { TLabelControl::Render(); }
void TTextLabel::Render() { TLabelControl::Render(); }
void TMemoLabel::Render() { TLabelControl::Render(); }
void TShapeLabel::Render() { TLabelControl::Render(); }
void TGraphicLabel::Render() { TLabelControl::Render(); }

bool LoadGraphic(TGraphicLabel *, const QString &) { return false; }
void PaintLabel(QPainter &, TItemContainer &, bool) {}
