#include "model/catalogue.h"

#include <QCoreApplication>
#include <QTranslator>

std::unique_ptr<QTranslator> LoadCatalogue(const QString &language)
{
    const QString file = language == QLatin1String("en") ? QStringLiteral(":/translations/quorvane_en.qm")
                                                         : QStringLiteral(":/translations/quorvane_zh_CN.qm");
    auto t = std::make_unique<QTranslator>();
    if (!t->load(file))
        return nullptr;
    return t;
}
