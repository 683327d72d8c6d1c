#include "printing/calibrationpage.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

struct TPaperMm {
    const TPrinterMetrics &M;
    double X(double mm) const { return mm / 25.4 * M.DpiX - M.OffsetX; }
    double Y(double mm) const { return mm / 25.4 * M.DpiY - M.OffsetY; }
    double W() const { return M.PaperWidth * 25.4 / M.DpiX; }
    double H() const { return M.PaperHeight * 25.4 / M.DpiY; }
};

void Crosshair(QPainter &p, const TPaperMm &at, double x, double y)
{
    const double arm = 4;
    p.drawLine(QPointF(at.X(x - arm), at.Y(y)), QPointF(at.X(x + arm), at.Y(y)));
    p.drawLine(QPointF(at.X(x), at.Y(y - arm)), QPointF(at.X(x), at.Y(y + arm)));
    p.drawEllipse(QPointF(at.X(x), at.Y(y)), at.X(x + 2) - at.X(x), at.Y(y + 2) - at.Y(y));
}

} // namespace

double CalibrationMarkMm(const TPrinterMetrics &m)
{
    const TPaperMm at{m};
    // The crosshairs' arms (4 mm) and a millimetre more stay printable.
    const double strip = std::max({m.OffsetX * 25.4 / m.DpiX, m.OffsetY * 25.4 / m.DpiY,
                                   m.RightMargin * 25.4 / m.DpiX, m.BottomMargin * 25.4 / m.DpiY, 0.0});
    return std::max(at.W() < 60 || at.H() < 60 ? 5.0 : 10.0, strip + 5);
}

QSizeF CalibrationRulersMm(const TPrinterMetrics &m)
{
    const TPaperMm at{m};
    const double mark = CalibrationMarkMm(m);
    // Whole centimetres, leaving the mark's margin at the far side too; a
    // label narrower than that still gets a 5 mm ruler.
    const auto length = [mark](double side) {
        const double room = side - 2 * mark;
        return room >= 10 ? std::floor(room / 10) * 10 : room >= 5 ? 5.0 : 0.0;
    };
    return {length(at.W()), length(at.H())};
}

QSizeF CalibrationPageMm(const QSizeF &rollMm, const QSizeF &queueMediaMm)
{
    if (rollMm.width() > 0 && rollMm.height() > 0)
        return rollMm;
    // A5 and larger is office paper: the printer's paper stands.
    const double a5 = 148.0 * 210.0;
    if (queueMediaMm.width() > 0 && queueMediaMm.height() > 0 && queueMediaMm.width() * queueMediaMm.height() < a5)
        return queueMediaMm;
    return {};
}

void DrawCalibrationPage(QPainter &p, const TPrinterMetrics &m)
{
    const TPaperMm at{m};
    const double mark = CalibrationMarkMm(m);
    const QSizeF rulers = CalibrationRulersMm(m);
    const double lengthX = rulers.width(), lengthY = rulers.height();
    if (lengthX <= 0 || lengthY <= 0)
        return;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 0.2 / 25.4 * m.DpiX));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    const int numberPx = std::max(8, int(2.2 / 25.4 * m.DpiY));
    font.setPixelSize(numberPx);
    p.setFont(font);

    for (const auto &[x, y] : {std::pair{mark, mark}, {mark + lengthX, mark}, {mark, mark + lengthY}})
        Crosshair(p, at, x, y);
    // Rulers: a tick every millimetre, longer every 5, numbered every 10.
    for (int i = 0; i <= lengthX; ++i) {
        const double x = mark + i, len = i % 10 == 0 ? 3 : i % 5 == 0 ? 2 : 1.2;
        p.drawLine(QPointF(at.X(x), at.Y(mark)), QPointF(at.X(x), at.Y(mark + len)));
        if (i % 10 == 0 && i > 0 && i < lengthX)
            p.drawText(QPointF(at.X(x + 0.5), at.Y(mark + 5.5)), QString::number(i));
    }
    for (int i = 0; i <= lengthY; ++i) {
        const double y = mark + i, len = i % 10 == 0 ? 3 : i % 5 == 0 ? 2 : 1.2;
        p.drawLine(QPointF(at.X(mark), at.Y(y)), QPointF(at.X(mark + len), at.Y(y)));
        if (i % 10 == 0 && i > 0 && i < lengthY)
            p.drawText(QPointF(at.X(mark + 3.5), at.Y(y + 1)), QString::number(i));
    }
    p.drawLine(QPointF(at.X(mark), at.Y(mark)), QPointF(at.X(mark + lengthX), at.Y(mark)));
    p.drawLine(QPointF(at.X(mark), at.Y(mark)), QPointF(at.X(mark), at.Y(mark + lengthY)));

    const QString m0 = QString::number(mark), lx = QString::number(lengthX), ly = QString::number(lengthY);
    const QString text =
        QCoreApplication::translate(
            "Calibration",
            "Printer calibration page (printed without calibration)\n"
            "1. Measure X and Y (mm), from the centre of the top-left cross to the paper's left and top edges; "
            "each should be %1 mm.\n"
            "   Offset X = %1 − X, offset Y = %1 − Y.\n"
            "2. Measure LX and LY, the real lengths between the crosses at 0 and %2 mm and at 0 and %3 mm on the "
            "two rulers.\n"
            "   Scale X = %2 ÷ LX × 100%, scale Y = %3 ÷ LY × 100%.\n"
            "3. Enter these figures in the Printer Calibration dialog.")
            .arg(m0, lx, ly);
    const QString shortText =
        QCoreApplication::translate("Calibration",
                                    "Calibration page (printed without calibration)\n"
                                    "X, Y: top-left cross to the left, top edge (mm)\n"
                                    "Offset = %1 − X, %1 − Y\n"
                                    "LX, LY: the rulers' real lengths\n"
                                    "Scale = %2 ÷ LX, %3 ÷ LY × 100%")
            .arg(m0, lx, ly);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const auto fits = [&](const QString &t, const QRectF &r, int px) {
        font.setPixelSize(px);
        const QRectF need = QFontMetricsF(font, p.device()).boundingRect(r, flags, t);
        return need.width() <= r.width() + 1 && need.height() <= r.height() + 1;
    };
    const QRectF box(QPointF(at.X(mark + 8), at.Y(mark + 8)), QPointF(at.X(mark + lengthX), at.Y(mark + lengthY)));
    // A small page: the short text in all the room below and right of the
    // rulers, down to 1.5 mm letters.
    const double printableRight = m.PaperWidth - m.OffsetX - m.RightMargin;
    const double printableBottom = m.PaperHeight - m.OffsetY - m.BottomMargin;
    const QRectF room(box.topLeft(), QPointF(std::min(at.X(at.W() - 1), printableRight),
                                             std::min(at.Y(at.H() - 1), printableBottom)));
    const int smallest = std::max(6, int(1.5 / 25.4 * m.DpiY));
    if (fits(text, box, numberPx)) {
        p.setFont(font);
        p.drawText(box, flags, text);
    } else {
        int px = numberPx;
        while (px >= smallest && !fits(shortText, room, px))
            --px;
        if (px >= smallest) {
            p.setFont(font);
            p.drawText(room, flags, shortText);
        } else {
            // No room for words: the lengths to divide by, beyond the ends.
            font.setPixelSize(numberPx);
            p.setFont(font);
            p.drawText(QPointF(at.X(mark + lengthX - 2), at.Y(mark + 8)), lx);
            p.drawText(QPointF(at.X(mark + 5), at.Y(mark + lengthY + 1)), ly);
        }
    }
    p.restore();
}

TPrintResult PrintCalibrationPage(TPrinterDevice &device, QString *message, const QSizeF &pageMm)
{
    // A printer without such paper keeps its own: the page then fits that.
    if (pageMm.isValid())
        device.SetRollPage(pageMm);
    TPrinterMetrics m;
    const auto fail = [&](const QString &text) {
        if (message)
            *message = text;
        return TPrintResult::DeviceError;
    };
    if (!device.Metrics(m) || m.DpiX <= 0 || m.DpiY <= 0)
        return fail(PrinterUnusableMessage(device.Name()));
    QString error;
    if (!device.Begin(QStringLiteral("Calibration"), &error))
        return fail(error);
    QPainter *p = device.Painter();
    if (!p) {
        device.Abort();
        return fail(PrinterUnusableMessage(device.Name()));
    }
    DrawCalibrationPage(*p, m);
    if (!device.End(&error))
        return fail(error);
    return TPrintResult::Printed;
}
