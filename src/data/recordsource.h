#pragma once
// Where a merge's records come from: a text data file, a spreadsheet or a
// database query. The print engine, the preview and the command line read
// every kind through this one interface, forward only, so memory stays flat.

#include "model/advanced.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

class TRecordSource {
public:
    virtual ~TRecordSource() = default;
    // After opening, the first data record is current (HasRecord), unless the
    // source has none. Reads the next record; at the end the current record
    // stays as it is.
    virtual void ReadRecord() = 0;
    // True when no further record can be read (also after a read error).
    virtual bool DataEof() const = 0;
    virtual const TDataRow &DataRow() const = 0;
    // True when DataRow holds a data record (not a header, not nothing).
    virtual bool HasRecord() const = 0;
    // True when reading failed after opening; ErrorString names the source
    // and says what went wrong.
    virtual bool Failed() const = 0;
    virtual QString ErrorString() const = 0;
    // Names the source in messages: a file name, or a connection without its
    // password.
    virtual QString SourceName() const = 0;

    // The header line's column names, column 1 first; empty when the source
    // has no header (a text file read without one).
    virtual QStringList ColumnNames() const { return {}; }
    // The current record's column (from 1) as a date, when the source stores
    // it as one (a spreadsheet's date cell, a database's date or timestamp);
    // invalid otherwise.
    virtual QDateTime CellDate(int column) const { (void)column; return {}; }

    // Sources that can come back to a record (the preview pages with them):
    // Tell gives a token for the current record, Seek makes it current again.
    virtual bool CanSeek() const { return false; }
    virtual qint64 Tell() const { return -1; }
    virtual bool Seek(qint64 token) { (void)token; return false; }
};

// ColumnIndexByName (model/advanced.h) finds a column by its header name.
