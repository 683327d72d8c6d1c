#pragma once
// A print request as another system sends it (a JSON body), read into a job
// and checked against its label before the job is accepted, so that a bad
// record is refused with its place instead of printing a wrong label.
//
// {"label":"NAME.lbl","printer":"QUEUE","records":[{"SKU":"…"},…],
//  "copies":1,"values":{"批号":"…"},"title":"…"}; records may be arrays
// (columns by number) instead of objects.

#include "model/items.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

struct TJobRequest {
    QString Label, Printer, Title;
    int Copies = 1;
    // The records' column names: the keys of object records in the order
    // first seen; empty when the records came as arrays.
    QStringList Columns;
    // Object records hold a value for every column (empty when a record
    // lacks the key); array records as they came.
    QList<TDataRow> Records;
    QHash<QString, QString> Values;
};

struct TRequestLimits {
    qsizetype MaxBodyBytes = 32 * 1024 * 1024;
    qsizetype MaxRecords = 100000;
};

// What is wrong with a request. Field is where, as the body spells it
// ("label", "copies", "records", "records[3]", "records[3].SKU",
// "records[3][1]", "values.批号"), indexes from 0; empty when the body as a
// whole is at fault (too long, not JSON). Message is translated.
struct TRequestProblem {
    QString Field;
    QString Message;
};

// Reads a body into *out. Refuses what would print other than was meant:
// unknown top-level fields, wrong types, numbers that lose digits, records
// of mixed kinds, more records than the limit.
bool ParseJobRequest(const QByteArray &body, const TRequestLimits &limits, TJobRequest *out,
                     TRequestProblem *problem);

// A plain file name ending in .lbl that cannot leave the labels' folder.
bool SafeLabelName(const QString &name);

// Whether the label can print every record of the request: the columns it
// reads exist, its asked values resolve (and no value is given that it does
// not ask for), and every record composes and every barcode's text is one its
// symbology can hold. Draws nothing; counters of the label do not move.
bool CheckJobRequest(const TItemContainer &label, const TJobRequest &req, TRequestProblem *problem);
