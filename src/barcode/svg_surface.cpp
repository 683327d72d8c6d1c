#include "barcode/svg_surface.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRect>

#include <QTextStream>

#include <algorithm>
#include <tuple>

namespace {

struct Text {
    int x, y;
    QString text;
    QFont font;
    int escapement;
};

// Rectangles of the same extent across that touch end to end become one:
// first down the columns, then along the rows.
QList<QRect> Merge(QList<QRect> rects)
{
    auto pass = [&rects](bool vertical) {
        std::sort(rects.begin(), rects.end(), [vertical](const QRect &a, const QRect &b) {
            return vertical ? std::make_tuple(a.x(), a.width(), a.y()) < std::make_tuple(b.x(), b.width(), b.y())
                            : std::make_tuple(a.y(), a.height(), a.x()) < std::make_tuple(b.y(), b.height(), b.x());
        });
        QList<QRect> out;
        out.reserve(rects.size());
        for (const QRect &r : rects) {
            if (!out.isEmpty()) {
                QRect &last = out.last();
                if (vertical && last.x() == r.x() && last.width() == r.width() && last.y() + last.height() >= r.y()) {
                    last.setBottom(std::max(last.bottom(), r.bottom()));
                    continue;
                }
                if (!vertical && last.y() == r.y() && last.height() == r.height() &&
                    last.x() + last.width() >= r.x()) {
                    last.setRight(std::max(last.right(), r.right()));
                    continue;
                }
            }
            out.append(r);
        }
        rects = std::move(out);
    };
    pass(true);
    pass(false);
    return rects;
}

QString Escaped(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        const ushort u = c.unicode();
        if (u == '&')
            out += QLatin1String("&amp;");
        else if (u == '<')
            out += QLatin1String("&lt;");
        else if (u == '>')
            out += QLatin1String("&gt;");
        else if (u == '"')
            out += QLatin1String("&quot;");
        else if (u < 0x20)
            out += QChar(0x2400 + u);  // XML has no control characters: their pictures
        else
            out += c;
    }
    return out;
}

} // namespace

struct TSvgSurface::Private {
    // Fonts are chosen and measured on a painter, as TPainterSurface does on pixels.
    QImage fontDevice{1, 1, QImage::Format_ARGB32_Premultiplied};
    QPainter painter{&fontDevice};
    TPainterSurface metrics{painter};
    QList<int> escapements;  // saved by SelectFont
    int escapement = 0;
    QList<QRect> white;
    QList<QRect> black;
    QList<Text> texts;
};

TSvgSurface::TSvgSurface() : d(std::make_unique<Private>()) {}

TSvgSurface::~TSvgSurface() = default;

void TSvgSurface::FillRect(int x, int y, int w, int h, bool black)
{
    if (w > 0 && h > 0)
        (black ? d->black : d->white).append(QRect(x, y, w, h));
}

QString TSvgSurface::FontFace() const
{
    return d->metrics.FontFace();
}

void TSvgSurface::SelectFont(const QString &face, int cellHeight, int escapement)
{
    d->metrics.SelectFont(face, cellHeight, escapement);
    d->escapements.append(d->escapement);
    d->escapement = escapement;
}

void TSvgSurface::RestoreFont()
{
    d->metrics.RestoreFont();
    if (!d->escapements.isEmpty())
        d->escapement = d->escapements.takeLast();
}

void TSvgSurface::MeasureText(const QString &text, int &width, int &height)
{
    d->metrics.MeasureText(text, width, height);
}

void TSvgSurface::DrawTextOpaque(int x, int y, const QString &text)
{
    d->texts.append({x, y, text, d->painter.font(), d->escapement});
}

QByteArray TSvgSurface::Document(int width, int height) const
{
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\" shape-rendering=\"crispEdges\">\n";
    for (const QRect &r : d->white)
        out << "<rect x=\"" << r.x() << "\" y=\"" << r.y() << "\" width=\"" << r.width() << "\" height=\""
            << r.height() << "\" fill=\"#FFFFFF\"/>\n";
    if (!d->black.isEmpty()) {
        out << "<path fill=\"#000000\" d=\"";
        bool first = true;
        for (const QRect &r : Merge(d->black)) {
            out << (first ? "" : " ") << 'M' << r.x() << ' ' << r.y() << 'h' << r.width() << 'v' << r.height()
                << 'h' << -r.width() << 'Z';
            first = false;
        }
        out << "\"/>\n";
    }
    for (const Text &t : d->texts) {
        const QFontMetrics fm(t.font, &d->fontDevice);
        QString family = QStringLiteral("'%1'").arg(t.font.family());
        const QString resolved = QFontInfo(t.font).family();
        if (resolved != t.font.family())
            family += QStringLiteral(", '%1'").arg(resolved);
        out << "<g transform=\"translate(" << t.x << ' ' << t.y << ')';
        if (t.escapement % 3600)
            out << " rotate(" << -t.escapement / 10 << ')';
        out << "\"><rect width=\"" << fm.horizontalAdvance(t.text) << "\" height=\"" << fm.height()
            << "\" fill=\"#FFFFFF\"/><text y=\"" << fm.ascent() << "\" font-family=\"" << Escaped(family)
            << ", monospace\" font-size=\"" << t.font.pixelSize() << "\" fill=\"#000000\" xml:space=\"preserve\">"
            << Escaped(t.text) << "</text></g>\n";
    }
    out << "</svg>\n";
    out.flush();
    return svg.toUtf8();
}
