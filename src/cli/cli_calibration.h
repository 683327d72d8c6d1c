#pragma once
// What print and calibrate share about a printer's calibration.

#include "cli/cli_args.h"
#include "storage/settings.h"

class TPrinterDevice;

// --offset X,Y and --scale SX,SY into `c` (each replaces its pair); -1 when
// the command goes on, else the exit status after the refusal.
int ParseCalibrationOptions(const TCliCommand &cli, TCalibration &c);
// Writes a printer job's id and state to stdout; the exit status: 1 when the
// job cannot print (aborted, cancelled), 4 while it waits on a stopped queue,
// else 0. With `wait`, polls until the job ends (0 printed, 1 failed; 4 when
// Ctrl+C ends the waiting).
int ReportPrinterJob(const TCliCommand &cli, TPrinterDevice *device, bool wait = false);
