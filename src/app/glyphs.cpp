#include "app/glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 20;

void Bars(QPainter &p, const QRect &r)
{
    static const int widths[] = {1, 2, 1, 1, 3, 1, 2, 1, 1, 2, 1};
    int x = r.left();
    bool black = true;
    for (int w : widths) {
        if (x + w > r.right() + 1)
            break;
        if (black)
            p.fillRect(x, r.top(), w, r.height(), Qt::black);
        x += w;
        black = !black;
    }
}

// Horizontal alignment lines: three bars of different lengths.
void AlignLines(QPainter &p, bool horizontal, int where)
{
    const int lens[] = {14, 8, 11};
    for (int i = 0; i < 3; ++i) {
        const int len = lens[i];
        const int along = where == 0 ? 3 : where == 1 ? (kSize - len) / 2 : kSize - 3 - len;
        const int across = 4 + i * 5;
        if (horizontal)
            p.fillRect(along, across, len, 3, QColor(0x20, 0x40, 0x90));
        else
            p.fillRect(across, along, 3, len, QColor(0x20, 0x40, 0x90));
    }
    p.setPen(QPen(Qt::darkGray, 1));
    if (horizontal) {
        const int x = where == 0 ? 1 : where == 1 ? kSize / 2 : kSize - 2;
        p.drawLine(x, 1, x, kSize - 2);
    } else {
        const int y = where == 0 ? 1 : where == 1 ? kSize / 2 : kSize - 2;
        p.drawLine(1, y, kSize - 2, y);
    }
}

// A curved arrow turning back to the left (undo), or mirrored (redo).
void TurnArrow(QPainter &p, bool mirrored)
{
    p.save();
    if (mirrored) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x20, 0x40, 0x90);
    QPainterPath path;
    path.moveTo(6, 8);
    path.cubicTo(11, 4, 18, 6, 17, 12);
    path.cubicTo(16, 16, 12, 17, 9, 17);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(1, 10), QPointF(8, 3), QPointF(9.5, 11.5)}));
    p.restore();
}

} // namespace

QIcon ToolGlyph(const QString &name)
{
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor ink(0x20, 0x20, 0x20);
    const QColor paper(0xFF, 0xFF, 0xF4);
    p.setPen(QPen(ink, 1));

    if (name == QLatin1String("sbNew")) {
        p.setBrush(paper);
        p.drawPolygon(QPolygon({{4, 1}, {12, 1}, {16, 5}, {16, 18}, {4, 18}}));
        p.drawPolyline(QPolygon({{12, 1}, {12, 5}, {16, 5}}));
    } else if (name == QLatin1String("LoadBtn")) {
        p.setBrush(QColor(0xE8, 0xC0, 0x50));
        p.drawPolygon(QPolygon({{1, 5}, {7, 5}, {9, 7}, {17, 7}, {17, 17}, {1, 17}}));
        p.setBrush(QColor(0xF8, 0xD8, 0x70));
        p.drawPolygon(QPolygon({{4, 10}, {19, 10}, {17, 17}, {1, 17}}));
    } else if (name == QLatin1String("WriteBtn")) {
        p.setBrush(QColor(0x30, 0x50, 0xA0));
        p.drawRect(2, 2, 15, 15);
        p.fillRect(5, 3, 9, 6, paper);
        p.fillRect(6, 12, 7, 5, QColor(0xC0, 0xC0, 0xC0));
    } else if (name == QLatin1String("sbPrint")) {
        p.setBrush(paper);
        p.drawRect(5, 1, 9, 7);
        p.setBrush(QColor(0xB0, 0xB0, 0xB0));
        p.drawRect(1, 7, 17, 7);
        p.setBrush(paper);
        p.drawRect(5, 12, 9, 6);
    } else if (name == QLatin1String("sbUndo") || name == QLatin1String("sbRedo")) {
        TurnArrow(p, name == QLatin1String("sbRedo"));
    } else if (name == QLatin1String("sbSelect")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygon({{5, 2}, {5, 16}, {8, 13}, {11, 18}, {13, 17}, {10, 12}, {14, 12}}));
    } else if (name == QLatin1String("sbText")) {
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(17);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("A"));
    } else if (name == QLatin1String("sbBarcode")) {
        Bars(p, QRect(3, 2, 14, 16));
    } else if (name == QLatin1String("sbMemo")) {
        p.setBrush(paper);
        p.drawRect(2, 1, 15, 17);
        for (int y = 4; y <= 15; y += 3)
            p.drawLine(5, y, y == 15 ? 10 : 14, y);
    } else if (name == QLatin1String("sbShape")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x60, 0xA0, 0xE0));
        p.drawRect(1, 6, 10, 10);
        p.setBrush(QColor(0xF0, 0x90, 0x40));
        p.drawEllipse(7, 2, 11, 11);
    } else if (name == QLatin1String("sbGraphic")) {
        p.setBrush(QColor(0xB0, 0xD8, 0xF8));
        p.drawRect(1, 3, 17, 14);
        p.setBrush(QColor(0x40, 0x90, 0x40));
        p.drawPolygon(QPolygon({{2, 16}, {7, 9}, {11, 13}, {14, 10}, {17, 16}}));
        p.setBrush(QColor(0xF0, 0xD0, 0x20));
        p.drawEllipse(12, 5, 3, 3);
    } else if (name == QLatin1String("sbVATop")) {
        AlignLines(p, false, 0);
    } else if (name == QLatin1String("sbVACenter")) {
        AlignLines(p, false, 1);
    } else if (name == QLatin1String("sbVABottom")) {
        AlignLines(p, false, 2);
    } else if (name == QLatin1String("sbHALeft")) {
        AlignLines(p, true, 0);
    } else if (name == QLatin1String("sbHACenter")) {
        AlignLines(p, true, 1);
    } else if (name == QLatin1String("sbHARight")) {
        AlignLines(p, true, 2);
    } else if (name == QLatin1String("sbRectangle")) {
        p.drawRect(2, 4, 15, 11);
    } else if (name == QLatin1String("sbEllipse")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(2, 4, 15, 11);
    } else if (name == QLatin1String("sbTriangle")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.drawPolygon(QPolygon({{10, 3}, {18, 16}, {2, 16}}));
    } else if (name == QLatin1String("sbRRectangle")) {
        p.setRenderHint(QPainter::Antialiasing);
        p.drawRoundedRect(QRectF(2.5, 4.5, 15, 11), 4, 4);
    } else if (name == QLatin1String("sbHLine")) {
        p.fillRect(2, 9, 16, 2, ink);
    } else if (name == QLatin1String("sbVLine")) {
        p.fillRect(9, 2, 2, 16, ink);
    }
    p.end();
    return QIcon(pm);
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size / 32.0;
        p.scale(s, s);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
        p.setBrush(QColor(0xFF, 0xF4, 0xD0));
        p.drawRoundedRect(QRectF(2, 5, 28, 22), 4, 4);
        p.setRenderHint(QPainter::Antialiasing, false);
        Bars(p, QRect(7, 9, 18, 14));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QCursor DragCursor()
{
    const QPixmap pm(QStringLiteral(":/cursors/crlbldrag.xpm"));
    if (pm.isNull())
        return QCursor(Qt::CrossCursor);
    // The hot spot is the arrow's tip.
    return QCursor(pm, 0, 0);
}
