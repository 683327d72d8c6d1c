#pragma once
// The language of the windows. The captions are written in Chinese and the
// messages of the lower layers in English; the catalogue of the chosen
// language (model/catalogue.h) turns both into it. The user's choice is kept
// in the settings and takes effect at the next start; `quorvane --lang`
// overrides it for one run.

#include <QString>

class QAction;
class QCoreApplication;
class QMenu;

inline const QString kLanguageChinese = QStringLiteral("zh");
inline const QString kLanguageEnglish = QStringLiteral("en");

// "en" or "zh" for a language the program speaks (case and a region such as
// "en_GB" or "zh-CN" are ignored), else empty.
QString KnownLanguage(const QString &name);

// The language chosen in the settings; Chinese when none (or an unknown one)
// is stored.
QString ChosenLanguage();

// Installs the translations of language (Chinese when unknown), replacing
// those installed before: the program's catalogue of that language, and for
// Chinese also Qt's own Simplified-Chinese texts, so the standard dialogs
// speak the program's language. Returns false when a translation could not
// be loaded (the texts stay as written).
bool InstallTranslators(QCoreApplication &app, const QString &language);
// The language installed last (empty before the first call).
QString InstalledLanguage();

// Adds the "语言 / Language" entry to the help menu (before `before`, else at
// its end): a choice of the two languages, stored in the settings for the
// next start.
void AddLanguageMenu(QMenu *help, QAction *before = nullptr);
