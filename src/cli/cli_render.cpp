#include "render/itemrender.h"
#include "cli/cli_args.h"
#include "cli/cli_label.h"
#include "cli/commands.h"
#include "storage/safesave.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>

const char *const kRenderUsage =
    "  render LABEL.lbl --output FILE.png [--no-grid]\n"
    "      Draw the label as the designer shows it (96 pixels per inch).";

int RunRenderCommand(const QStringList &args)
{
    TCliCommand cli("render", "LABEL.lbl --output FILE.png", kRenderUsage);
    cli.Add({QStringLiteral("output"), QStringLiteral("o")}, QStringLiteral("FILE.png"),
            QCoreApplication::translate("Cli", "--output needs a file name"));
    cli.Add({QStringLiteral("no-grid")});
    cli.AcceptPositionals(1, QCoreApplication::translate("Cli", "more than one label file: %1"));
    if (const int status = cli.Parse(args); status >= 0)
        return status;
    const QString label = cli.Positionals().value(0);
    const QString output = cli.Value(QStringLiteral("output"));
    if (label.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "no label file given"));
    if (output.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "--output FILE.png is required"));
    if (!output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return cli.Fail(QCoreApplication::translate("Cli", "the output must be a .png file: %1").arg(output));

    TItemContainer items;
    TLabelDocument doc(items);
    QString error;
    if (!LoadLabelForCli(doc, label, error))
        return cli.Fail(error);

    // Beyond 200 million pixels (800 MB) the picture would not be of use to anyone.
    const int width = qMax(1, items.SurfaceWidth());
    const int height = qMax(1, items.SurfaceHeight());
    QImage image;
    if (qint64(width) * height <= 200'000'000)
        image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return cli.Fail(QCoreApplication::translate("Cli", "the label is too large to render (%1 x %2 pixels): %3")
                            .arg(items.SurfaceWidth())
                            .arg(items.SurfaceHeight())
                            .arg(QDir::toNativeSeparators(label)));
    image.fill(Qt::white);
    {
        QPainter p(&image);
        PaintLabel(p, items, items.ShowGrids && !cli.IsSet(QStringLiteral("no-grid")));
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return cli.Fail(QCoreApplication::translate("Cli", "cannot write %1: %2").arg(output, file.errorString()));
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return cli.Fail(QCoreApplication::translate("Cli", "cannot write %1: %2").arg(output, file.errorString()));
    }
    if (!CommitWhole(file, &error))
        return cli.Fail(QCoreApplication::translate("Cli", "cannot write %1: %2").arg(output, error));
    return 0;
}
