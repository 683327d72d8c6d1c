#include "barcode/barcode.h"

#include <QFontMetrics>
#include <QList>
#include <QPainter>

struct TPainterSurface::Private {
    QPainter &painter;
    QString face;
    // Bars wholly outside it are not drawn: a symbol far wider than its item
    // costs no more than what shows.
    bool clipped = false;
    QRect clip;
    struct Saved {
        QFont font;
        QString face;
        int escapement;
    };
    QList<Saved> fonts;
    QList<QBrush> brushes;
    int escapement = 0;
};

TPainterSurface::TPainterSurface(QPainter &painter, const QString &fontFace)
    : d(new Private{painter, fontFace, painter.hasClipping(), {}, {}, {}})
{
    if (d->clipped)
        d->clip = painter.clipBoundingRect().toAlignedRect();
}

TPainterSurface::~TPainterSurface()
{
    delete d;
}

void TPainterSurface::FillRect(int x, int y, int w, int h, bool black)
{
    if (w <= 0 || h <= 0)
        return;
    if (d->clipped && !d->clip.intersects(QRect(x, y, w, h)))
        return;
    // Whole-pixel rectangles: antialiasing would leave seams between them.
    const bool aa = d->painter.testRenderHint(QPainter::Antialiasing);
    d->painter.setRenderHint(QPainter::Antialiasing, false);
    d->painter.fillRect(QRect(x, y, w, h), black ? Qt::black : Qt::white);
    d->painter.setRenderHint(QPainter::Antialiasing, aa);
}

QString TPainterSurface::FontFace() const
{
    return d->face;
}

void TPainterSurface::SelectFont(const QString &face, int cellHeight, int escapement)
{
    d->fonts.append({d->painter.font(), d->face, d->escapement});
    QFont font(face);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // A positive height names the character cell (ascent + descent): take the
    // largest pixel size whose cell still fits.
    int size = qMax(1, cellHeight);
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font, d->painter.device()).height() <= cellHeight)
            break;
    }
    font.setPixelSize(size);
    d->painter.setFont(font);
    d->face = face;
    d->escapement = escapement;
}

void TPainterSurface::RestoreFont()
{
    if (d->fonts.isEmpty())
        return;
    const Private::Saved saved = d->fonts.takeLast();
    d->painter.setFont(saved.font);
    d->face = saved.face;
    d->escapement = saved.escapement;
}

void TPainterSurface::MeasureText(const QString &text, int &width, int &height)
{
    const QFontMetrics fm(d->painter.font(), d->painter.device());
    width = fm.horizontalAdvance(text);
    height = fm.height();
}

void TPainterSurface::DrawTextOpaque(int x, int y, const QString &text)
{
    const QFontMetrics fm(d->painter.font(), d->painter.device());
    const int w = fm.horizontalAdvance(text);
    const int h = fm.height();
    QPainter &p = d->painter;
    p.save();
    p.translate(x, y);
    // Escapement turns counter-clockwise; Qt's rotation, with y downwards, clockwise.
    p.rotate(-d->escapement / 10.0);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 0, w, h), Qt::white);
    p.drawText(0, fm.ascent(), text);
    p.restore();
}

void TPainterSurface::SaveBrush()
{
    d->brushes.append(d->painter.brush());
    d->painter.setBrush(Qt::black);
}

void TPainterSurface::RestoreBrush()
{
    if (!d->brushes.isEmpty())
        d->painter.setBrush(d->brushes.takeLast());
}
