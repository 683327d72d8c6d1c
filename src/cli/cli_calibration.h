#pragma once
// What print and calibrate share about a printer's calibration.

#include "cli/cli_args.h"
#include "storage/settings.h"

class TPrinterDevice;

// --offset X,Y and --scale SX,SY into `c` (each replaces its pair); -1 when
// the command goes on, else the exit status after the refusal.
int ParseCalibrationOptions(const TCliCommand &cli, TCalibration &c);
// Writes a printer job's id and state to stdout; the exit status when the job
// cannot print (a stopped queue, an aborted job), else 0.
int ReportPrinterJob(const TCliCommand &cli, TPrinterDevice *device);
