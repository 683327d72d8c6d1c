// Single-line text and memo: measured and drawn for any target; the screen's
// pictures of them.

#include "render/itemdraw.h"
#include "render/renderutil.h"

#include <QFontMetrics>
#include <QPainter>

TTextCell MeasureTextCell(const TLabelControl &item, const QString &text, const TDrawTarget &t,
                          const QPaintDevice *device)
{
    TTextCell c;
    c.Font = ItemFont(item.Font, t);
    const QFontMetrics fm = device ? QFontMetrics(c.Font, device) : QFontMetrics(c.Font);
    c.Text = text;
    c.Ascent = fm.ascent();
    c.Width = fm.horizontalAdvance(c.Text);
    c.Height = fm.height();
    c.TwoZeros = fm.horizontalAdvance(QStringLiteral("00"));
    c.Rotation = item.Rotation;
    return c;
}

void DrawTextCell(QPainter &p, const TLabelControl &item, const TTextCell &c, QPoint origin, const TDrawTarget &t)
{
    p.save();
    p.translate(origin);
    // Quarter turns clockwise: rotation 1 reads downwards.
    p.rotate(90.0 * (c.Rotation % 4));
    if (PaintsBackground(item, t))
        p.fillRect(QRect(0, 0, c.Width, c.Height), QColor::fromRgb(TextBackground(item)));
    p.setFont(c.Font);
    p.setPen(ColorToQColor(item.Font.Color));
    p.drawText(QPoint(0, c.Ascent), c.Text);
    p.restore();
}

TMemoBlock MeasureMemo(const TLabelControl &item, const QString &text, const TDrawTarget &t,
                       const QPaintDevice *device)
{
    TMemoBlock m;
    m.Text = text;
    m.Text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m.Text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    m.Font = ItemFont(item.Font, t);
    const QFontMetrics fm = device ? QFontMetrics(m.Font, device) : QFontMetrics(m.Font);
    m.Flags = Qt::TextWordWrap | Qt::AlignTop;
    m.Flags |= item.HorzAlign == iaCenter  ? Qt::AlignHCenter
               : item.HorzAlign == iaRight ? Qt::AlignRight
                                           : Qt::AlignLeft;

    // The block is measured at the box width; lines keep their alignment
    // relative to the widest one. A word longer than the box widens the
    // block, and the text is then laid out at that width, as it is drawn: so
    // measuring and drawing agree and an auto-sized box keeps its size when
    // rendered again (after a reload, say).
    // A turned memo's lines run along the device's other axis.
    m.Rotation = item.Rotation % 4;
    const int across = m.Rotation % 2 ? t.ToDeviceY(item.Height) : t.ToDeviceX(item.Width);
    const int down = m.Rotation % 2 ? t.ToDeviceX(item.Width) : t.ToDeviceY(item.Height);
    m.Layout = QRect(0, 0, qMax(across, 1), qMax(down, 1));
    m.Block = m.Text.isEmpty() ? QRect() : fm.boundingRect(m.Layout, m.Flags, m.Text);
    if (m.Block.width() > m.Layout.width()) {
        m.Layout.setWidth(m.Block.width());
        m.Block = fm.boundingRect(m.Layout, m.Flags, m.Text);
    }
    m.Size = QSize(m.Block.width(), m.Block.isEmpty() ? 0 : m.Block.bottom() + 1);
    return m;
}

void DrawMemoBlock(QPainter &p, const TLabelControl &item, const TMemoBlock &m, const QRect &rect,
                   const TDrawTarget &t)
{
    p.save();
    if (PaintsBackground(item, t))
        p.fillRect(rect, QColor::fromRgb(TextBackground(item)));
    p.setFont(m.Font);
    p.setPen(ColorToQColor(item.Font.Color));
    // The screen lays the lines out at the measuring width, the block shifted
    // to its picture's edge; paper within the block's rectangle.
    const QRect lines = t.IsPaper() ? rect : QRect(rect.x() - m.Block.x(), rect.y(), m.Layout.width(), rect.height());
    p.drawText(lines, m.Flags, m.Text);
    p.restore();
}

// ---- the screen's pictures

namespace {

// A text bitmap of the extent: background by the white-on-transparent rule,
// then the box follows when auto-sized.
template <class Draw> void PaintTextBitmap(TLabelControl &item, QSize extent, Draw draw)
{
    const QRgb background = TextBackground(item);
    item.TransparentColor = background;
    item.ItemBitmap = NewItemBitmap(extent.width(), extent.height(), background);
    if (!item.ItemBitmap.isNull()) {
        QPainter p(&item.ItemBitmap);
        draw(p);
    }
    if (item.AutoSize)
        item.SetRenderedSize(extent.width(), extent.height());
}

// The cell's reference point when its turned extent starts at (0, 0).
QPoint CellOrigin(const TTextCell &c)
{
    const QSize e = c.Extent();
    return TextOrigin(c.Rotation, iaLeft, iaTop, 0, 0, e.width(), e.height(), c.Width, c.Height);
}

} // namespace

void RenderText(TTextLabel &item)
{
    const TDrawTarget t = ScreenTarget(item);
    const TTextCell c = MeasureTextCell(item, item.GetDesignText(), t);
    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    item.MinWidth = vertical ? c.Height : c.TwoZeros;
    item.MinHeight = vertical ? c.TwoZeros : c.Height;
    PaintTextBitmap(item, c.Extent(), [&](QPainter &p) { DrawTextCell(p, item, c, CellOrigin(c), t); });
}

QImage TextPicture(const TTextLabel &item, double scale)
{
    const TDrawTarget t = ScreenTarget(item);
    const TTextCell c = MeasureTextCell(item, item.GetDesignText(), t);
    const QSize e = c.Extent();
    return ScaledItemPicture(e.width(), e.height(), scale, TextBackground(item),
                             [&](QPainter &p) { DrawTextCell(p, item, c, CellOrigin(c), t); });
}

namespace {

// The block turned into a picture of its extent.
void DrawTurnedMemo(QPainter &p, const TLabelControl &item, const TMemoBlock &m, const TDrawTarget &t)
{
    if (m.Rotation)
        p.setTransform(TurnedInto(QRect(QPoint(), m.Extent()), m.Rotation), true);
    DrawMemoBlock(p, item, m, QRect(QPoint(), m.Size), t);
}

} // namespace

void RenderMemo(TMemoLabel &item)
{
    const TDrawTarget t = ScreenTarget(item);
    const TMemoBlock m = MeasureMemo(item, item.GetDesignText(), t);
    PaintTextBitmap(item, m.Extent(), [&](QPainter &p) { DrawTurnedMemo(p, item, m, t); });
}

QImage MemoPicture(const TMemoLabel &item, double scale)
{
    const TDrawTarget t = ScreenTarget(item);
    const TMemoBlock m = MeasureMemo(item, item.GetDesignText(), t);
    const QSize e = m.Extent();
    return ScaledItemPicture(e.width(), e.height(), scale, TextBackground(item),
                             [&](QPainter &p) { DrawTurnedMemo(p, item, m, t); });
}
