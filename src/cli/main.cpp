#include "cli/cli_stock.h"
#include "cli/commands.h"
#include "model/catalogue.h"
#include "model/labelformat.h"

#include <QGuiApplication>
#include <QTranslator>
#include <cstdio>
#include <cstring>

static void printHelp(FILE *out)
{
    std::fprintf(out,
                 "Usage: quorvane-cli [--lang en|zh] COMMAND [OPTIONS]\n\n"
                 "  --lang en|zh\n"
                 "      The language of the messages: English, or Simplified Chinese.\n"
                 "      Without it, Chinese when LC_ALL, LC_MESSAGES or LANG (the first\n"
                 "      set) names zh, such as zh_CN.UTF-8; otherwise English.\n\n"
                 "%s\n%s\n%s\n%s\n%s\n",
                 BarcodeUsage(), kPrintUsage, kRenderUsage, kCalibrateUsage, kTemplatesUsage);
}

// "zh" or "en" from the locale's variables in POSIX order of precedence.
static QString languageOfLocale()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value.startsWith(QLatin1String("zh")) ? QStringLiteral("zh") : QStringLiteral("en");
    }
    return QStringLiteral("en");
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
    QString language = languageOfLocale();
    if (!args.isEmpty() && args.first() == QLatin1String("--lang")) {
        language = args.size() > 1 ? args[1].toLower().left(2) : QString();
        if (language != QLatin1String("en") && language != QLatin1String("zh")) {
            std::fprintf(stderr, "quorvane-cli: --lang takes en or zh\n");
            return 2;
        }
        args.remove(0, 2);
    }
    // Texts stay English when the catalogue is missing: nothing is lost.
    const std::unique_ptr<QTranslator> catalogue = LoadCatalogue(language);
    if (catalogue)
        QCoreApplication::installTranslator(catalogue.get());
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
    std::fprintf(
        stderr, "quorvane-cli: %s\n",
        QCoreApplication::translate("Cli", "unknown command '%1' (try --help)").arg(command).toLocal8Bit().constData());
    return 2;
}
