#include "cli/cli_calibration.h"
#include "cli/cli_label.h"
#include "cli/commands.h"
#include "printing/calibrationpage.h"
#include "printing/pdfdevice.h"
#include "printing/qprinter_device.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <memory>

const char *const kCalibrateUsage =
    "  calibrate --printer NAME [--offset X,Y] [--scale SX,SY] [--reset]\n"
    "  calibrate (--printer NAME | --output FILE.pdf [--paper A4|Letter|WxHmm])\n"
    "        [--label LABEL.lbl [--roll]]\n"
    "      Stores the printer's calibration: where it prints (offset in mm, -10\n"
    "      to 10, right and down) and how large (scale in %, 95 to 105); every\n"
    "      job to that printer is corrected by it. --reset removes it. Without\n"
    "      values, prints the calibration page (crosshairs and millimetre rulers\n"
    "      to measure) on the printer or into a PDF: on the roll page of a roll\n"
    "      label given with --label (or of any label with --roll, as print\n"
    "      --roll makes it), else on the printer's default media when that is\n"
    "      label-sized (smaller than A5), else on its paper.\n"
    "      A page left waiting on a stopped printer: status 4, as print.";

int RunCalibrateCommand(const QStringList &args)
{
    TCliCommand cli("calibrate", "--printer NAME [OPTIONS]", kCalibrateUsage);
    for (const char *name : {"printer", "offset", "scale", "paper", "output", "label"})
        cli.Add({QString::fromLatin1(name)}, QStringLiteral("VALUE"));
    cli.Add({QStringLiteral("reset")});
    cli.Add({QStringLiteral("roll")});
    if (const int status = cli.Parse(args); status >= 0)
        return status;
    const QString printer = cli.Value(QStringLiteral("printer"));
    const QString output = cli.Value(QStringLiteral("output"));
    const bool storing = cli.IsSet(QStringLiteral("offset")) || cli.IsSet(QStringLiteral("scale"))
                         || cli.IsSet(QStringLiteral("reset"));
    if (printer.isEmpty() == output.isEmpty())
        return cli.Fail(QCoreApplication::translate(
            "Cli", "give the printer (--printer NAME) or, for the page alone, --output FILE.pdf"));
    if (storing && printer.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "a calibration is stored for a printer (--printer NAME)"));
    if (cli.IsSet(QStringLiteral("paper")) && output.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "--paper applies only to --output"));
    const QString labelFile = cli.Value(QStringLiteral("label"));
    if ((storing && !labelFile.isEmpty()) || (cli.IsSet(QStringLiteral("roll")) && labelFile.isEmpty()))
        return cli.Fail(QCoreApplication::translate(
            "Cli", "--label (and --roll) choose the calibration page's size: give them only to print it"));
    // The roll page a job of this label asks for, as print makes it.
    QSizeF rollMm;
    if (!labelFile.isEmpty()) {
        TItemContainer items;
        TLabelDocument doc(items);
        QString error;
        if (!LoadLabelForCli(doc, labelFile, error))
            return cli.Fail(error);
        TPrintChoices choices;
        choices.Roll = cli.IsSet(QStringLiteral("roll"));
        const TLabelFormat format = JobFormat(items.LabelFormat, choices);
        if (format.Roll)
            rollMm = TSheetLayout(format, {}, items.ScreenDpiX, items.ScreenDpiY).RollPageSizeMm();
    }

    if (storing) {
        TCalibration c = cli.IsSet(QStringLiteral("reset")) ? TCalibration{} : LoadCalibration(printer);
        if (const int status = ParseCalibrationOptions(cli, c); status >= 0)
            return status;
        QString error;
        if (!SaveCalibration(printer, c, &error))
            return cli.Fail(error.isEmpty() ? QCoreApplication::translate("Cli", "cannot write the settings file %1")
                                                  .arg(QDir::toNativeSeparators(SettingsFilePath()))
                                            : error,
                            1);
        std::printf("%s: offset %g,%g mm, scale %g,%g %%\n", printer.toLocal8Bit().constData(), c.OffsetX, c.OffsetY,
                    c.ScaleX, c.ScaleY);
        return 0;
    }

    std::unique_ptr<TPrinterDevice> device;
    QSizeF pageMm = rollMm;
    if (!output.isEmpty()) {
        QPageSize paper(QPageSize::A4);
        const QString paperText = cli.Value(QStringLiteral("paper"));
        if (!paperText.isEmpty() && !TPdfPrinterDevice::ParsePaper(paperText, paper))
            return cli.Fail(
                QCoreApplication::translate("Cli", "unknown paper %1 (A4, Letter or WxHmm such as 100x150mm)")
                    .arg(paperText));
        if (!output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            return cli.Fail(QCoreApplication::translate("Cli", "the output must be a .pdf file: %1").arg(output));
        device = std::make_unique<TPdfPrinterDevice>(output, paper, 600);
    } else {
        if (!TQPrinterDevice::PrinterNames().contains(printer))
            return cli.Fail(QCoreApplication::translate("Cli", "no such printer: %1").arg(printer));
        auto queue = std::make_unique<TQPrinterDevice>(printer);
        pageMm = CalibrationPageMm(rollMm, queue->QueueMediaMm());
        device = std::move(queue);
    }
    QString message;
    if (PrintCalibrationPage(*device, &message, pageMm) != TPrintResult::Printed)
        return cli.Fail(message, output.isEmpty() ? 1 : 2);
    return ReportPrinterJob(cli, device.get());
}
