#include "model/catalogue.h"

#include <QCoreApplication>
#include <QTranslator>

bool InstallCatalogue(const QString &language)
{
    static QTranslator *installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QString file = language == QLatin1String("en") ? QStringLiteral(":/translations/quorvane_en.qm")
                                                         : QStringLiteral(":/translations/quorvane_zh_CN.qm");
    auto *t = new QTranslator;
    if (!t->load(file)) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    installed = t;
    return true;
}
