#include "render/itemrender.h"
#include "cli/cli_label.h"
#include "cli/commands.h"

#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>

const char *const kRenderUsage =
    "  render LABEL.lbl --output FILE.png [--no-grid]\n"
    "      Draw the label as the designer shows it (96 pixels per inch).";

namespace {

int Fail(const QString &message)
{
    std::fprintf(stderr, "quorvane-cli render: %s\n", message.toLocal8Bit().constData());
    return 2;
}

} // namespace

int RunRenderCommand(const QStringList &args)
{
    QString label, output;
    bool grid = true, gridSet = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::printf("Usage: quorvane-cli render LABEL.lbl --output FILE.png\n\n%s\n", kRenderUsage);
            return 0;
        }
        if (a == QLatin1String("--output") || a == QLatin1String("-o")) {
            if (++i >= args.size())
                return Fail(QStringLiteral("--output needs a file name"));
            output = args[i];
        } else if (a == QLatin1String("--no-grid")) {
            grid = false;
            gridSet = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return Fail(QStringLiteral("unknown option %1").arg(a));
        } else if (label.isEmpty()) {
            label = a;
        } else {
            return Fail(QStringLiteral("more than one label file: %1").arg(a));
        }
    }
    if (label.isEmpty())
        return Fail(QStringLiteral("no label file given"));
    if (output.isEmpty())
        return Fail(QStringLiteral("--output FILE.png is required"));
    if (!output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return Fail(QStringLiteral("the output must be a .png file: %1").arg(output));

    TItemContainer items;
    TLabelDocument doc(items);
    QString error;
    if (!LoadLabelForCli(doc, label, error))
        return Fail(error);

    // Beyond 200 million pixels (800 MB) the picture would not be of use to anyone.
    const int width = qMax(1, items.SurfaceWidth());
    const int height = qMax(1, items.SurfaceHeight());
    QImage image;
    if (qint64(width) * height <= 200'000'000)
        image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return Fail(QStringLiteral("the label is too large to render (%1 x %2 pixels): %3")
                        .arg(items.SurfaceWidth()).arg(items.SurfaceHeight()).arg(QDir::toNativeSeparators(label)));
    image.fill(Qt::white);
    {
        QPainter p(&image);
        PaintLabel(p, items, gridSet ? grid : ShowGrids);
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    QImageWriter writer(&file, "png");
    if (!writer.write(image) || !file.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    return 0;
}
