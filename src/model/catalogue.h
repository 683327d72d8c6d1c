#pragma once
// The program's message catalogue. Captions of the windows are written in
// Chinese, messages of the layers below them in English; each language's
// catalogue (":/translations/quorvane_<language>.qm", built into the programs)
// turns both into that language.

#include <QString>

// Installs the catalogue of language ("en" or "zh"), replacing the one
// installed before. False when it is not built into the program; the texts
// then stay as written.
bool InstallCatalogue(const QString &language);
