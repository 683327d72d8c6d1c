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

// The same text at a screen scale: glyphs drawn at device resolution.
template <class Draw>
QImage ScaledTextPicture(const TLabelControl &item, const QFont &font, int bw, int bh, double scale, Draw draw)
{
    return ScaledItemPicture(bw, bh, scale, TextBackground(item), [&](QPainter &p) {
        p.setFont(font);
        p.setPen(ColorToQColor(item.Font.Color));
        draw(p);
    });
}

// A single line's cell: its text, font and bitmap size.
struct TTextCell {
    QFont Font;
    QString Text;
    int Ascent = 0, LineHeight = 0, TwoZeros = 0;
    int BitmapWidth = 0, BitmapHeight = 0;
};

TTextCell MeasureText(const TTextLabel &item)
{
    TTextCell c;
    c.Font = ItemDrawFont(item.Font, item.DesignDpiY());
    const QFontMetrics fm(c.Font);
    c.Text = item.GetDesignText();
    c.Ascent = fm.ascent();
    c.LineHeight = fm.height();
    c.TwoZeros = fm.horizontalAdvance(QStringLiteral("00"));
    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    const int w = fm.horizontalAdvance(c.Text);
    c.BitmapWidth = vertical ? c.LineHeight : w;
    c.BitmapHeight = vertical ? w : c.LineHeight;
    return c;
}

void DrawTextCell(QPainter &p, int rotation, const TTextCell &c)
{
    const int bw = c.BitmapWidth, bh = c.BitmapHeight;
    // The reference point is the top-left of the unrotated text cell;
    // rotation 1 turns a quarter clockwise so the text reads downwards.
    switch (rotation) {
    case 1: p.translate(bw, 0); p.rotate(90); break;
    case 2: p.translate(bw, bh); p.rotate(180); break;
    case 3: p.translate(0, bh); p.rotate(270); break;
    default: break;
    }
    p.drawText(QPoint(0, c.Ascent), c.Text);
}

// A memo's wrapped block: layout width, drawing flags and bitmap size.
struct TMemoBlock {
    QFont Font;
    QString Text;
    int Flags = 0;
    QRect Layout, Block;
    int BitmapWidth = 0, BitmapHeight = 0;
};

TMemoBlock MeasureMemo(const TMemoLabel &item)
{
    TMemoBlock m;
    m.Text = item.GetDesignText();
    m.Text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m.Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    m.Font = ItemDrawFont(item.Font, item.DesignDpiY());
    const QFontMetrics fm(m.Font);
    m.Flags = Qt::TextWordWrap | Qt::AlignTop;
    m.Flags |= item.HorzAlign == iaCenter  ? Qt::AlignHCenter
               : item.HorzAlign == iaRight ? Qt::AlignRight
                                           : Qt::AlignLeft;

    // Measure the wrapped block at the box width. The bitmap is the block's
    // size; lines keep their alignment relative to the widest one. A word
    // longer than the box widens the block, and the text is then laid out at
    // that width, as it is drawn: so measuring and drawing agree and an
    // auto-sized box keeps its size when rendered again (after a reload, say).
    m.Layout = QRect(0, 0, qMax(item.Width, 1), qMax(item.Height, 1));
    m.Block = m.Text.isEmpty() ? QRect() : fm.boundingRect(m.Layout, m.Flags, m.Text);
    if (m.Block.width() > m.Layout.width()) {
        m.Layout.setWidth(m.Block.width());
        m.Block = fm.boundingRect(m.Layout, m.Flags, m.Text);
    }
    m.BitmapWidth = m.Block.width();
    m.BitmapHeight = m.Block.isEmpty() ? 0 : m.Block.bottom() + 1;
    return m;
}

void DrawMemoBlock(QPainter &p, const TMemoBlock &m)
{
    p.drawText(QRect(-m.Block.x(), 0, m.Layout.width(), m.BitmapHeight), m.Flags, m.Text);
}

} // namespace

void RenderText(TTextLabel &item)
{
    const TTextCell c = MeasureText(item);
    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    item.MinWidth = vertical ? c.LineHeight : c.TwoZeros;
    item.MinHeight = vertical ? c.TwoZeros : c.LineHeight;
    PaintTextBitmap(&item, c.Font, c.BitmapWidth, c.BitmapHeight,
                    [&](QPainter &p) { DrawTextCell(p, item.Rotation, c); });
}

QImage TextPicture(const TTextLabel &item, double scale)
{
    const TTextCell c = MeasureText(item);
    return ScaledTextPicture(item, c.Font, c.BitmapWidth, c.BitmapHeight, scale,
                             [&](QPainter &p) { DrawTextCell(p, item.Rotation, c); });
}

void RenderMemo(TMemoLabel &item)
{
    const TMemoBlock m = MeasureMemo(item);
    PaintTextBitmap(&item, m.Font, m.BitmapWidth, m.BitmapHeight, [&](QPainter &p) { DrawMemoBlock(p, m); });
}

QImage MemoPicture(const TMemoLabel &item, double scale)
{
    const TMemoBlock m = MeasureMemo(item);
    return ScaledTextPicture(item, m.Font, m.BitmapWidth, m.BitmapHeight, scale,
                             [&](QPainter &p) { DrawMemoBlock(p, m); });
}
