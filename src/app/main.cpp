#include "app/appforms.h"
#include "app/ask.h"
#include "app/fmain.h"
#include "app/language.h"
#include "model/labelformat.h"
#include "app/messages.h"
#include "printing/qprinter_device.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <cstring>

// --help and --version answer without a window; with no display at all Qt
// could not even start, so they take the offscreen platform then.
static void preferOffscreenForInfoOptions(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (!std::strcmp(a, "-h") || !std::strcmp(a, "--help") || !std::strcmp(a, "-v")
            || !std::strcmp(a, "--version") || !std::strcmp(a, "--help-all")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return;
        }
    }
}

int main(int argc, char **argv)
{
    preferOffscreenForInfoOptions(argc, argv);
    QApplication app(argc, argv);
    NameApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quorvane label designer."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A label (.lbl) or label template (.lbf) to open."),
                                 QStringLiteral("[file]"));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("The language of the windows for this run: en or zh "
                                                 "(default: the one chosen in the Help menu, else zh)."),
                                  QStringLiteral("en|zh"));
    parser.addOption(lang);
    parser.process(app);

    QString language;
    if (parser.isSet(lang)) {
        language = KnownLanguage(parser.value(lang));
        if (language.isEmpty()) {
            std::fprintf(stderr, "quorvane: unknown language '%s' (use en or zh)\n",
                         qPrintable(parser.value(lang)));
            return 1;
        }
    }
    InitApplication(language);

    RemoveDeadSpools();
    SetMessageHandler([](const QString &text) {
        TAsk::Current().Info(QApplication::activeWindow(), text);
    });

    const QStringList files = parser.positionalArguments();
    CreateApplicationForms(files.isEmpty() ? QString() : files.first());
    Forms.FMain->show();
    // Asked over the shown window, once the command-line file is open.
    QTimer::singleShot(0, Forms.FMain, [] { Forms.FMain->OfferRecovery(); });
    const int status = app.exec();
    DestroyApplicationForms();
    return status;
}
