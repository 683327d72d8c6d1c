#pragma once
// Records a job brought with it (a print request's body), held in memory and
// read through the same interface as files and databases.

#include "data/recordsource.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// columns: the records' column names, column 1 first; empty when the records
// came without names. name: what messages call the source ("job 12").
std::unique_ptr<TRecordSource> OpenMemorySource(const QStringList &columns, const QList<TDataRow> &rows,
                                                const QString &name);
