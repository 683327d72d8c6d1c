#pragma once
// The program's message catalogue. Captions of the windows are written in
// Chinese, messages of the layers below them in English; each language's
// catalogue (":/translations/quorvane_<language>.qm", built into the programs)
// turns both into that language.

#include <QString>
#include <memory>

class QTranslator;

// The catalogue of language ("en" or "zh"), for the program to install and
// keep; null when it is not built into the program (the texts then stay as
// written).
std::unique_ptr<QTranslator> LoadCatalogue(const QString &language);
