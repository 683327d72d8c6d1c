#pragma once
// The calibration page: crosshairs and millimetre rulers at known places on
// the paper, printed without the printer's calibration, so that what the user
// measures is the printer's own error.

#include "printing/printengine.h"

// The first crosshair's centre lies this far from the paper's left and top
// edges (5 mm on paper narrower or shorter than 60 mm), and at least 5 mm
// inside the printable area; the rulers start at it and run right and down
// in whole centimetres (5 mm on a page too small for one), a crosshair at
// each end.
double CalibrationMarkMm(const TPrinterMetrics &m);
// The rulers' lengths in millimetres on that page; 0 when none fits.
QSizeF CalibrationRulersMm(const TPrinterMetrics &m);
// Draws the page on a painter whose coordinates are the printable area's
// device pixels. The instruction is shortened and made smaller on a page too
// small for it, and left out (the rulers' lengths then written at their ends)
// when even that does not fit.
void DrawCalibrationPage(QPainter &p, const TPrinterMetrics &m);
// The page to calibrate on, in millimetres: the roll label's page (rollMm)
// when printing for a roll label; else the queue's default media when it is a
// label printer's (smaller than A5); else invalid: the printer's own paper.
QSizeF CalibrationPageMm(const QSizeF &rollMm, const QSizeF &queueMediaMm);
// One page on the device, on a page of pageMm when valid (asked as a roll
// page); for DeviceError *message says why.
TPrintResult PrintCalibrationPage(TPrinterDevice &device, QString *message, const QSizeF &pageMm = {});
