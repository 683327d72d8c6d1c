#include "app/language.h"

#include "app/dialogkit.h"

#include "model/catalogue.h"
#include "storage/settings.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QTranslator>

namespace {

struct TInstalled {
    QString language;
    QTranslator *qt = nullptr;
    QTranslator *catalogue = nullptr;
};

TInstalled &installed()
{
    static TInstalled i;
    return i;
}

void removeTranslator(QTranslator *&t)
{
    if (!t)
        return;
    QCoreApplication::removeTranslator(t);
    delete t;
    t = nullptr;
}

} // namespace

QString KnownLanguage(const QString &name)
{
    QString base = name.trimmed().toLower();
    if (const qsizetype region = base.indexOf(QRegularExpression(QStringLiteral("[-_]"))); region >= 0)
        base.truncate(region);
    if (base == kLanguageEnglish || base == kLanguageChinese)
        return base;
    return {};
}

QString ChosenLanguage()
{
    const QString chosen = KnownLanguage(LoadLanguageSetting());
    return chosen.isEmpty() ? kLanguageChinese : chosen;
}

bool InstallTranslators(QCoreApplication &app, const QString &language)
{
    TInstalled &now = installed();
    removeTranslator(now.qt);
    removeTranslator(now.catalogue);
    now.language = KnownLanguage(language);
    if (now.language.isEmpty())
        now.language = kLanguageChinese;

    std::unique_ptr<QTranslator> catalogue = LoadCatalogue(now.language);
    bool loaded = catalogue != nullptr;
    if (catalogue) {
        now.catalogue = catalogue.release();
        QCoreApplication::installTranslator(now.catalogue);
    }
    if (now.language == kLanguageChinese) {
        auto *t = new QTranslator(&app);
        if (t->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(t);
            now.qt = t;
        } else {
            delete t;
            loaded = false;
        }
    }
    return loaded;
}

QString InstalledLanguage()
{
    return installed().language;
}

void AddLanguageMenu(QMenu *help, QAction *before)
{
    auto *menu = new QMenu(QCoreApplication::translate("Language", "语言 / Language"), help);
    if (before)
        help->insertMenu(before, menu);
    else
        help->addMenu(menu);
    menu->setObjectName(QStringLiteral("Language1"));
    menu->menuAction()->setObjectName(QStringLiteral("LanguageMenu1"));
    auto *group = new QActionGroup(menu);
    const QString chosen = ChosenLanguage();
    // Each language is named in itself, so either can be found whatever the
    // windows speak.
    const struct {
        const char *objectName;
        QString language;
        QString caption;
    } choices[] = {{"LanguageChinese1", kLanguageChinese, QStringLiteral("中文")},
                   {"LanguageEnglish1", kLanguageEnglish, QStringLiteral("English")}};
    for (const auto &c : choices) {
        QAction *a = menu->addAction(c.caption);
        a->setObjectName(QLatin1String(c.objectName));
        a->setCheckable(true);
        a->setChecked(c.language == chosen);
        group->addAction(a);
        const QString language = c.language;
        QObject::connect(a, &QAction::triggered, menu, [help, language] {
            if (language == ChosenLanguage())
                return;
            QWidget *owner = help->parentWidget() ? help->parentWidget()->window() : nullptr;
            if (!SaveLanguageSetting(language)) {
                DialogMessage(owner, QCoreApplication::translate("Language", "The choice of language could not be saved."));
                return;
            }
            DialogMessage(owner, QCoreApplication::translate("Language", "所选语言将在下次启动程序时生效。"));
        });
    }
}
