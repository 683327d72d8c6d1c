#include "printing/calibrationpage.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPen>
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
    return at.W() < 60 || at.H() < 60 ? 5 : 10;
}

void DrawCalibrationPage(QPainter &p, const TPrinterMetrics &m)
{
    const TPaperMm at{m};
    const double mark = CalibrationMarkMm(m);
    // Whole centimetres, leaving the mark's margin at the far side too.
    const double lengthX = std::floor((at.W() - 2 * mark) / 10) * 10;
    const double lengthY = std::floor((at.H() - 2 * mark) / 10) * 10;
    if (lengthX < 10 || lengthY < 10)
        return;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 0.2 / 25.4 * m.DpiX));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPixelSize(std::max(8, int(2.2 / 25.4 * m.DpiY)));
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

    const QString m0 = QString::number(mark);
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
            .arg(m0, QString::number(lengthX), QString::number(lengthY));
    const QRectF box(QPointF(at.X(mark + 8), at.Y(mark + 8)), QPointF(at.X(mark + lengthX), at.Y(mark + lengthY)));
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    p.restore();
}

TPrintResult PrintCalibrationPage(TPrinterDevice &device, QString *message)
{
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
