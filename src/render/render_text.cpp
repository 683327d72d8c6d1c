// Single-line text and memo rendering.

#include "render/renderutil.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// A text bitmap of bw x bh: background by the white-on-transparent rule,
// drawn in the item's font and colour; then the box follows when auto-sized.
template <class Draw> void PaintTextBitmap(TLabelControl *item, const QFont &font, int bw, int bh, Draw draw)
{
    const QRgb background = TextBackground(*item);
    item->TransparentColor = background;
    item->ItemBitmap = NewItemBitmap(bw, bh, background);
    if (!item->ItemBitmap.isNull()) {
        QPainter p(&item->ItemBitmap);
        p.setFont(font);
        p.setPen(ColorToQColor(item->Font.Color));
        draw(p);
    }
    if (item->AutoSize)
        item->SetRenderedSize(bw, bh);
}

} // namespace

void RenderText(TTextLabel &item)
{
    const QFont font = ItemDrawFont(item.Font);
    const QFontMetrics fm(font);

    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    const int twoZeros = fm.horizontalAdvance(QStringLiteral("00"));
    const int lineHeight = fm.height();
    item.MinWidth = vertical ? lineHeight : twoZeros;
    item.MinHeight = vertical ? twoZeros : lineHeight;

    const QString s = item.GetDesignText();
    const int w = fm.horizontalAdvance(s);
    const int h = lineHeight;
    const int bw = vertical ? h : w;
    const int bh = vertical ? w : h;

    PaintTextBitmap(&item, font, bw, bh, [&](QPainter &p) {
        // The reference point is the top-left of the unrotated text cell;
        // rotation 1 turns a quarter clockwise so the text reads downwards.
        switch (item.Rotation) {
        case 1: p.translate(bw, 0); p.rotate(90); break;
        case 2: p.translate(bw, bh); p.rotate(180); break;
        case 3: p.translate(0, bh); p.rotate(270); break;
        default: break;
        }
        p.drawText(QPoint(0, fm.ascent()), s);
    });
}

void RenderMemo(TMemoLabel &item)
{
    QString s = item.GetDesignText();
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    const QFont font = ItemDrawFont(item.Font);
    const QFontMetrics fm(font);
    int flags = Qt::TextWordWrap | Qt::AlignTop;
    flags |= item.HorzAlign == iaCenter  ? Qt::AlignHCenter
             : item.HorzAlign == iaRight ? Qt::AlignRight
                                         : Qt::AlignLeft;

    // Measure the wrapped block at the box width. The bitmap is the block's
    // size; lines keep their alignment relative to the widest one. A word
    // longer than the box widens the block, and the text is then laid out at
    // that width, as it is drawn: so measuring and drawing agree and an
    // auto-sized box keeps its size when rendered again (after a reload, say).
    QRect layoutRect(0, 0, qMax(item.Width, 1), qMax(item.Height, 1));
    QRect block = s.isEmpty() ? QRect() : fm.boundingRect(layoutRect, flags, s);
    if (block.width() > layoutRect.width()) {
        layoutRect.setWidth(block.width());
        block = fm.boundingRect(layoutRect, flags, s);
    }
    const int bw = block.width();
    const int bh = block.isEmpty() ? 0 : block.bottom() + 1;

    PaintTextBitmap(&item, font, bw, bh,
                    [&](QPainter &p) { p.drawText(QRect(-block.x(), 0, layoutRect.width(), bh), flags, s); });
}
