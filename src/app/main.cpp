#include "app/fmain.h"
#include "model/labelformat.h"
#include "model/messages.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Maudrel Software"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Fenwold"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quorvane label designer."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A label (.lbl) or label template (.lbf) to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    InitScreenDpi();
    SetMessageHandler([](const QString &text) {
        QMessageBox::information(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(), text);
    });

    TFMain mainWindow;
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        mainWindow.CommandLineFile = files.first();
    mainWindow.show();
    return app.exec();
}
