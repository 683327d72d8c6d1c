#include "cli/cli_stock.h"
#include "cli/commands.h"
#include "model/labelformat.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>

static void printHelp(FILE *out)
{
    std::fprintf(out, "Usage: quorvane-cli COMMAND [OPTIONS]\n\n%s\n%s\n%s\n%s\n%s\n", BarcodeUsage(), kPrintUsage,
                 kRenderUsage, kCalibrateUsage, kTemplatesUsage);
}

// Qt's offscreen platform warns about a missing per-user runtime folder,
// which this program never uses; other messages pass through.
static QtMessageHandler previousHandler = nullptr;
static void filterQtMessages(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler)
        previousHandler(type, context, msg);
}

int main(int argc, char **argv)
{
    previousHandler = qInstallMessageHandler(filterQtMessages);
    // Headless by design: no display is needed to draw labels or write PDFs.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("quorvane-cli"));
    QGuiApplication::setOrganizationName(QStringLiteral("Maudrel Software"));

    QStringList args = QGuiApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(stdout);
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        std::printf("quorvane-cli 1.0.0\n");
        return 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("barcode")) {
        // Qt has taken its own options out of argv: what is left matches args.
        QList<QByteArray> rawArgs;
        for (int i = 2; i < argc; ++i)
            rawArgs.append(QByteArray(argv[i]));
        return RunBarcodeCommand(args, rawArgs);
    }
    if (command == QLatin1String("print"))
        return RunPrintCommand(args);
    if (command == QLatin1String("render"))
        return RunRenderCommand(args);
    if (command == QLatin1String("templates"))
        return RunTemplatesCommand(args);
    if (command == QLatin1String("calibrate"))
        return RunCalibrateCommand(args);
    std::fprintf(stderr, "quorvane-cli: unknown command '%s' (try --help)\n", command.toLocal8Bit().constData());
    return 2;
}
