#pragma once
// The calibration page: crosshairs and millimetre rulers at known places on
// the paper, printed without the printer's calibration, so that what the user
// measures is the printer's own error.

#include "printing/printengine.h"

// The first crosshair's centre lies this far from the paper's left and top
// edges (5 mm on paper narrower or shorter than 60 mm); the rulers start at
// it and run right and down in whole centimetres, a crosshair at each end.
double CalibrationMarkMm(const TPrinterMetrics &m);
// Draws the page on a painter whose coordinates are the printable area's
// device pixels.
void DrawCalibrationPage(QPainter &p, const TPrinterMetrics &m);
// One page on the device; for DeviceError *message says why.
TPrintResult PrintCalibrationPage(TPrinterDevice &device, QString *message);
