#pragma once
// A label of the service's labels folder, loaded for a check or a job.

#include "model/items.h"

#include <QString>

// name: a plain .lbl file name (SafeLabelName). False with *error naming
// the label by that name only, never the folder's path.
bool LoadServiceLabel(const QString &labelsDir, const QString &name, TItemContainer &items, QString *error);
