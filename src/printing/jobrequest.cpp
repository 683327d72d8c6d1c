#include "printing/jobrequest.h"

#include "barcode/barcode.h"
#include "printing/printengine.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>

#include <cmath>
#include <memory>
#include <vector>

namespace {

bool Fail(TRequestProblem *problem, const QString &field, const QString &message)
{
    if (problem)
        *problem = {field, message};
    return false;
}

// QJsonObject keeps its keys sorted; the columns are to follow the body. One
// pass over the (already valid) body collects each record object's keys in
// the order written.
class TKeyOrder {
public:
    explicit TKeyOrder(const QByteArray &body)
    {
        struct Frame {
            char Kind;
            bool ExpectKey;
            int Role; // 0 other, 1 the body's object, 2 the records array, 3 a record object
        };
        std::vector<Frame> stack;
        QString topKey;
        const char *s = body.constData();
        const qsizetype n = body.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char c = s[i];
            if (c == '"') {
                const qsizetype start = i;
                for (++i; i < n && s[i] != '"'; ++i)
                    if (s[i] == '\\')
                        ++i;
                if (stack.empty() || stack.back().Kind != '{' || !stack.back().ExpectKey)
                    continue;
                Frame &top = stack.back();
                top.ExpectKey = false;
                if (top.Role == 1)
                    topKey = Decode(body.mid(start, i - start + 1));
                else if (top.Role == 3)
                    orders_.back().append(Decode(body.mid(start, i - start + 1)));
            } else if (c == '{') {
                const int role = stack.empty() ? 1 : stack.back().Role == 2 ? 3 : 0;
                if (role == 3)
                    orders_.append(QStringList());
                stack.push_back({'{', true, role});
            } else if (c == '[') {
                const bool records = stack.size() == 1 && stack.back().Role == 1 && topKey == u"records";
                if (records)
                    orders_.clear(); // a repeated key: the last one counts
                stack.push_back({'[', false, records ? 2 : 0});
            } else if (c == '}' || c == ']') {
                if (!stack.empty())
                    stack.pop_back();
            } else if (c == ',' && !stack.empty() && stack.back().Kind == '{') {
                stack.back().ExpectKey = true;
            }
        }
    }

    // Record i's keys in body order; the object's own (sorted) when the pass
    // disagrees with the parser (duplicate keys and the like).
    QStringList Keys(qsizetype i, const QJsonObject &record) const
    {
        if (i < orders_.size()) {
            QStringList keys = orders_[i];
            keys.removeDuplicates();
            bool same = keys.size() == record.size();
            for (qsizetype k = 0; same && k < keys.size(); ++k)
                same = record.contains(keys[k]);
            if (same)
                return keys;
        }
        return record.keys();
    }

private:
    QString Decode(const QByteArray &token)
    {
        if (const auto it = cache_.constFind(token); it != cache_.cend())
            return *it;
        const QString key = QJsonDocument::fromJson('[' + token + ']').array().at(0).toString();
        cache_.insert(token, key);
        return key;
    }

    QList<QStringList> orders_;
    QHash<QByteArray, QString> cache_;
};

// A record's value as the label prints it. False for a number that lost digits
// on the way in (integers beyond 2^53 read as doubles).
bool CellText(const QJsonValue &v, QString *text)
{
    if (v.isString()) {
        *text = v.toString();
        return true;
    }
    const QVariant var = v.toVariant();
    if (var.typeId() == QMetaType::LongLong) {
        *text = QString::number(var.toLongLong());
        return true;
    }
    const double d = v.toDouble();
    if (d == std::trunc(d)) {
        if (std::fabs(d) > 9007199254740992.0)
            return false;
        *text = QString::number(qint64(d));
        return true;
    }
    *text = QString::number(d, 'g', QLocale::FloatingPointShortest);
    return true;
}

bool ReadCell(const QJsonValue &v, const QString &field, QString *text, TRequestProblem *problem)
{
    if (v.isNull()) {
        text->clear();
        return true;
    }
    if (!v.isString() && !v.isDouble())
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "A record's value must be a text, a number or null."));
    if (!CellText(v, text))
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "The number %1 is too long to keep every digit; send it "
                                                           "as a text.")
                        .arg(QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest)));
    return true;
}

bool ReadRecords(const QByteArray &body, const QJsonValue &value, const TRequestLimits &limits, TJobRequest *out,
                 TRequestProblem *problem)
{
    const QString field = QStringLiteral("records");
    if (value.isNull() || value.isUndefined())
        return true;
    if (!value.isArray())
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "The records must be an array of objects or of arrays."));
    const QJsonArray records = value.toArray();
    if (records.size() > limits.MaxRecords)
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "A request takes at most %1 records; this one has %2.")
                        .arg(limits.MaxRecords)
                        .arg(records.size()));
    enum { None, Objects, Arrays } kind = None;
    std::unique_ptr<TKeyOrder> order;
    QHash<QString, int> columnAt;
    out->Records.reserve(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QJsonValue record = records.at(i);
        const QString where = QStringLiteral("records[%1]").arg(i);
        const bool object = record.isObject();
        if ((!object && !record.isArray()) || (kind == Objects && !object) || (kind == Arrays && object))
            return Fail(problem, where,
                        QCoreApplication::translate("Service", "Every record must be an object (values by column "
                                                               "name) or every record an array (values by column "
                                                               "number)."));
        kind = object ? Objects : Arrays;
        TDataRow row;
        if (object) {
            if (!order)
                order = std::make_unique<TKeyOrder>(body);
            const QJsonObject values = record.toObject();
            row.resize(out->Columns.size());
            for (const QString &key : order->Keys(i, values)) {
                auto at = columnAt.constFind(key);
                if (at == columnAt.cend()) {
                    at = columnAt.insert(key, int(out->Columns.size()));
                    out->Columns.append(key);
                    row.append(QString());
                }
                if (!ReadCell(values.value(key), where + u'.' + key, &row[*at], problem))
                    return false;
            }
        } else {
            const QJsonArray values = record.toArray();
            row.resize(values.size());
            for (qsizetype j = 0; j < values.size(); ++j)
                if (!ReadCell(values.at(j), where + QStringLiteral("[%1]").arg(j), &row[j], problem))
                    return false;
        }
        out->Records.append(std::move(row));
    }
    // Records written before a column first appeared lack its cell.
    if (kind == Objects)
        for (TDataRow &row : out->Records)
            row.resize(out->Columns.size());
    return true;
}

bool ReadText(const QJsonObject &body, const QString &key, bool required, QString *text, TRequestProblem *problem)
{
    const QJsonValue v = body.value(key);
    if (v.isUndefined() || v.isNull()) {
        if (required)
            return Fail(problem, key, QCoreApplication::translate("Service", "\"%1\" is required.").arg(key));
        return true;
    }
    if (!v.isString())
        return Fail(problem, key, QCoreApplication::translate("Service", "\"%1\" must be a text.").arg(key));
    *text = v.toString();
    return true;
}

} // namespace

bool ParseJobRequest(const QByteArray &body, const TRequestLimits &limits, TJobRequest *out,
                     TRequestProblem *problem)
{
    *out = {};
    if (body.size() > limits.MaxBodyBytes)
        return Fail(problem, {},
                    QCoreApplication::translate("Service", "The request is larger than %1 bytes.")
                        .arg(limits.MaxBodyBytes));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return Fail(problem, {},
                    QCoreApplication::translate("Service", "The request is not valid JSON: %1 (at byte %2).")
                        .arg(error.errorString())
                        .arg(error.offset));
    if (!doc.isObject())
        return Fail(problem, {}, QCoreApplication::translate("Service", "The request must be a JSON object."));
    const QJsonObject request = doc.object();

    static const QStringList known{"label", "printer", "records", "copies", "values", "title"};
    for (auto it = request.begin(); it != request.end(); ++it)
        if (!known.contains(it.key()))
            return Fail(problem, it.key(),
                        QCoreApplication::translate("Service", "Unknown field \"%1\"; a request has only %2.")
                            .arg(it.key(), known.join(QStringLiteral(", "))));

    if (!ReadText(request, QStringLiteral("label"), true, &out->Label, problem) ||
        !ReadText(request, QStringLiteral("printer"), false, &out->Printer, problem) ||
        !ReadText(request, QStringLiteral("title"), false, &out->Title, problem))
        return false;
    if (!SafeLabelName(out->Label))
        return Fail(problem, QStringLiteral("label"),
                    QCoreApplication::translate("Service", "\"%1\" is not a label's file name: a plain name ending "
                                                           "in .lbl, without folders.")
                        .arg(out->Label));

    if (const QJsonValue copies = request.value(QStringLiteral("copies")); !copies.isUndefined() && !copies.isNull()) {
        const double n = copies.toDouble(-1);
        if (!copies.isDouble() || n != std::trunc(n) || n < 1 || n > 999)
            return Fail(problem, QStringLiteral("copies"),
                        QCoreApplication::translate("Service", "Copies must be a whole number from 1 to 999."));
        out->Copies = int(n);
    }

    if (const QJsonValue values = request.value(QStringLiteral("values")); !values.isUndefined() && !values.isNull()) {
        if (!values.isObject())
            return Fail(problem, QStringLiteral("values"),
                        QCoreApplication::translate("Service", "The values must be an object of texts by name."));
        const QJsonObject named = values.toObject();
        for (auto it = named.begin(); it != named.end(); ++it) {
            if (!it.value().isString())
                return Fail(problem, QStringLiteral("values.") + it.key(),
                            QCoreApplication::translate("Service", "The value \"%1\" must be a text.").arg(it.key()));
            out->Values.insert(it.key(), it.value().toString());
        }
    }

    return ReadRecords(body, request.value(QStringLiteral("records")), limits, out, problem);
}

bool SafeLabelName(const QString &name)
{
    if (name.size() <= 4 || !name.endsWith(QStringLiteral(".lbl"), Qt::CaseInsensitive) || name.startsWith(u'.'))
        return false;
    // Format characters too: a right-to-left override makes a name read as another.
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) ||
            c.category() == QChar::Other_Format)
            return false;
    return name.toUtf8().size() <= 255;
}

namespace {

// The highest column the items read by number (from 1); 0 when none does.
int HighestColumnNumber(const QList<TLabelControl *> &items)
{
    int highest = 0;
    for (const TLabelControl *item : items) {
        if (!item->Advanced)
            continue;
        for (const auto &f : item->Fields) {
            if (const auto *column = dynamic_cast<const TImportedField *>(f.get())) {
                if (column->FieldName.trimmed().isEmpty())
                    highest = qMax(highest, int(column->FieldNum));
            } else if (const auto *date = dynamic_cast<const TDateField *>(f.get());
                       date && date->Source == TDateSource::Column) {
                bool number = false;
                const int n = date->SourceName.trimmed().toInt(&number);
                if (number)
                    highest = qMax(highest, n);
            }
        }
    }
    return highest;
}

bool CheckAnswers(const QList<TLabelControl *> &items, const TJobRequest &req, QHash<QString, QString> *answers,
                  TRequestProblem *problem)
{
    const QList<TAskedValue> asked = AskedValues(items);
    QStringList names;
    for (const TAskedValue &a : asked)
        names << a.Name;
    // A misspelt name would print the default without a word.
    for (auto it = req.Values.begin(); it != req.Values.end(); ++it)
        if (!names.contains(it.key()))
            return Fail(problem, QStringLiteral("values.") + it.key(),
                        QCoreApplication::translate("Service", "The label asks for no value \"%1\"; it asks for %2.")
                            .arg(it.key(), names.isEmpty() ? QCoreApplication::translate("Service", "none")
                                                           : u'"' + names.join(QStringLiteral("\", \"")) + u'"'));
    TAskedValue which;
    const TAnswerCheck check = ResolveAnswers(items, req.Values, answers, &which);
    const QString field = QStringLiteral("values.") + which.Name;
    const QString value = req.Values.value(which.Name, which.Default);
    switch (check) {
    case TAnswerCheck::Ok:
        return true;
    case TAnswerCheck::Missing:
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "No value was given for \"%1\" (%2).")
                        .arg(which.Name, which.Caption.isEmpty() ? which.Name : which.Caption));
    case TAnswerCheck::TooLong:
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "The value \"%1\" is longer than %2 characters.")
                        .arg(value)
                        .arg(which.Size));
    case TAnswerCheck::NoMatch:
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "The value \"%1\" does not match the pattern %2.")
                        .arg(value, which.Pattern));
    case TAnswerCheck::BadPattern:
        return Fail(problem, field,
                    QCoreApplication::translate("Service", "The label's pattern %1 for this value is not valid.")
                        .arg(which.Pattern));
    }
    return true;
}

// Why a barcode item cannot print text, the way the print engine decides it.
// The engine lets a linear symbol without bars print as an empty box; a job
// sent from elsewhere means every barcode to scan, so that is refused too.
QString BarcodeTextError(const TBarcodeLabel &item, const QString &text)
{
    const QString filtered = FilterBarcodeText(item.BarcodeType, text);
    if (filtered.isEmpty())
        return EmptyBarcodeTextError(item.BarcodeType, text);
    const TBarcodeSymbol symbol(item.BarcodeType, filtered,
                                {item.BarcodeEcc, item.BarcodeSize, item.BarcodeRectangular, item.BarcodeNamedOptions});
    return symbol.Error();
}

QString BarcodeProblem(int itemNumber, const QString &reason)
{
    return QCoreApplication::translate("Service", "Item %1 (barcode): %2.").arg(itemNumber).arg(reason);
}

} // namespace

bool CheckJobRequest(const TItemContainer &label, const TJobRequest &req, TRequestProblem *problem)
{
    const QList<TLabelControl *> &items = label.Items;
    const QString records = QStringLiteral("records");
    const bool arrays = req.Columns.isEmpty() && !req.Records.isEmpty();

    if (HasImportedField(items) && req.Records.isEmpty())
        return Fail(problem, records,
                    QCoreApplication::translate("Service", "The label prints from records; the request has none."));
    for (const QString &name : NamedColumns(items))
        if (ColumnIndexByName(req.Columns, name) < 0)
            return Fail(problem, records,
                        QCoreApplication::translate("Service", "The label reads the column \"%1\"; the records have "
                                                               "%2.")
                            .arg(name, arrays ? QCoreApplication::translate("Service", "no names (they are arrays)")
                                              : u'"' + req.Columns.join(QStringLiteral("\", \"")) + u'"'));
    const int highest = HighestColumnNumber(items);
    if (!arrays && !req.Records.isEmpty() && highest > req.Columns.size())
        return Fail(problem, records,
                    QCoreApplication::translate("Service", "The label reads column %1; the records have %2 columns.")
                        .arg(highest)
                        .arg(req.Columns.size()));

    QHash<QString, QString> answers;
    if (!CheckAnswers(items, req, &answers, problem))
        return false;

    // Copies, so that composing moves none of the label's counters.
    struct TComposed {
        std::unique_ptr<TLabelControl> Item;
        int Number; // in the label, from 1
        QString LastText, LastError;
        bool Checked = false;
    };
    std::vector<TComposed> composed;
    QList<TLabelControl *> copies;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const TLabelControl *item = items[i];
        if (item->Kind != ikBarcode && item->Kind != ikText && item->Kind != ikMemo)
            continue;
        if (!item->Advanced) {
            if (item->Kind != ikBarcode)
                continue;
            const QString error =
                BarcodeTextError(static_cast<const TBarcodeLabel &>(*item), CutShownText(item->GetText()));
            if (!error.isEmpty())
                return Fail(problem, QStringLiteral("label"), BarcodeProblem(int(i) + 1, error));
            continue;
        }
        composed.push_back({item->Clone(), int(i) + 1, {}, {}});
        copies << composed.back().Item.get();
    }
    if (composed.empty())
        return true;

    TComposeContext context;
    context.Columns = &req.Columns;
    context.Answers = &answers;
    context.Now = QDateTime::currentDateTime(); // one moment for the whole check
    const TPrintResolution dpi{600, 600, label.ScreenDpiX, label.ScreenDpiY};
    const qsizetype count = qMax<qsizetype>(1, req.Records.size()); // a label without records prints once
    for (qsizetype r = 0; r < count; ++r) {
        context.Row = req.Records.isEmpty() ? nullptr : &req.Records[r];
        const QString where = req.Records.isEmpty() ? QStringLiteral("label") : QStringLiteral("records[%1]").arg(r);
        for (TComposed &c : composed) {
            TComposeFailure failure;
            const QString text = ComposePrintText(c.Item->Fields, context, true, kMaxShownText, &failure);
            if (failure)
                return Fail(problem, where,
                            ComposeFailureMessage(failure, *c.Item, c.Number, dpi, r + 1, context.Row != nullptr));
            if (c.Item->Kind != ikBarcode)
                continue;
            // Many records print the same text (a fixed part, a repeated
            // value); a two-dimensional symbol is worth encoding once.
            if (!c.Checked || text != c.LastText) {
                c.LastError = BarcodeTextError(static_cast<const TBarcodeLabel &>(*c.Item), text);
                c.LastText = text;
                c.Checked = true;
            }
            if (!c.LastError.isEmpty())
                return Fail(problem, where, BarcodeProblem(c.Number, c.LastError));
        }
        CountSequences(copies, TCountPer::Record);
    }
    return true;
}
