#include "data/memorysource.h"

namespace {

class TMemorySource : public TRecordSource {
public:
    TMemorySource(const QStringList &columns, const QList<TDataRow> &rows, const QString &name)
        : columns_(columns), rows_(rows), name_(name)
    {
    }

    void ReadRecord() override
    {
        if (current_ + 1 < rows_.size())
            ++current_;
    }
    bool DataEof() const override { return current_ + 1 >= rows_.size(); }
    const TDataRow &DataRow() const override { return HasRecord() ? rows_[current_] : empty_; }
    bool HasRecord() const override { return !rows_.isEmpty(); }
    bool Failed() const override { return false; }
    QString ErrorString() const override { return {}; }
    QString SourceName() const override { return name_; }
    QStringList ColumnNames() const override { return columns_; }

    bool CanSeek() const override { return true; }
    qint64 Tell() const override { return HasRecord() ? current_ : -1; }
    bool Seek(qint64 token) override
    {
        if (token < 0 || token >= rows_.size())
            return false;
        current_ = token;
        return true;
    }

private:
    QStringList columns_;
    QList<TDataRow> rows_; // shared with the caller's list until either changes
    QString name_;
    TDataRow empty_;
    qsizetype current_ = 0;
};

} // namespace

std::unique_ptr<TRecordSource> OpenMemorySource(const QStringList &columns, const QList<TDataRow> &rows,
                                                const QString &name)
{
    return std::make_unique<TMemorySource>(columns, rows, name);
}
