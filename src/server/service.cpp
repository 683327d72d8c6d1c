#include "server/service.h"

#include "model/advanced.h"
#include "printing/jobrequest.h"
#include "server/jobstore.h"
#include "server/servicelabel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <sys/stat.h>

namespace {

TServiceReply json(int status, const QJsonObject &object)
{
    TServiceReply reply;
    reply.Status = status;
    reply.Body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

TServiceReply problem(int status, const QString &message, const QString &field = QString())
{
    QJsonObject o{{QStringLiteral("error"), message}};
    if (!field.isNull())
        o.insert(QStringLiteral("field"), field);
    return json(status, o);
}

QJsonValue time(const QDateTime &t)
{
    return t.isValid() ? QJsonValue(t.toUTC().toString(Qt::ISODate)) : QJsonValue();
}

QJsonObject jobObject(const TJob &job)
{
    return {{QStringLiteral("id"), job.Id},
            {QStringLiteral("state"), JobStateName(job.State)},
            {QStringLiteral("labels_total"), job.LabelsTotal},
            {QStringLiteral("labels_printed"), job.LabelsPrinted},
            {QStringLiteral("pages"), job.Pages},
            {QStringLiteral("printer_job"), job.PrinterJob},
            {QStringLiteral("message"), job.Message},
            {QStringLiteral("title"), job.Title},
            {QStringLiteral("accepted"), time(job.Accepted)},
            {QStringLiteral("finished"), time(job.Finished)}};
}

double millimetres(double units, TLabelUnit unit)
{
    const double perUnit = unit == TLabelUnit::Millimetre   ? 1.0
                           : unit == TLabelUnit::Centimetre ? 10.16
                                                            : 25.4;
    // Hundredths of a millimetre: 3 in is 76.2, not 76.19999999999999.
    return std::round(units * perUnit * 100) / 100;
}

TServiceReply staticFile(const TServiceRequest &r)
{
    // The status page: static, so no token; its data comes through /v1.
    static const struct {
        const char *path, *file, *type;
    } files[] = {{"/", ":/server/index.html", "text/html; charset=utf-8"},
                 {"/status.js", ":/server/status.js", "text/javascript; charset=utf-8"},
                 {"/status.css", ":/server/status.css", "text/css; charset=utf-8"}};
    for (const auto &f : files) {
        if (r.Path != QLatin1String(f.path))
            continue;
        if (r.Method != "GET")
            return problem(405, QCoreApplication::translate("Service", "Method not allowed."));
        QFile file(QString::fromLatin1(f.file));
        if (!file.open(QIODevice::ReadOnly))
            break;
        TServiceReply reply;
        reply.ContentType = f.type;
        reply.Body = file.readAll();
        return reply;
    }
    return problem(404, QCoreApplication::translate("Service", "Not found."));
}

} // namespace

bool SameSecret(const QByteArray &a, const QByteArray &b)
{
    // The length is no secret worth keeping; the content is.
    unsigned char diff = a.size() == b.size() ? 0 : 1;
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

bool LoadTokens(const QString &fileName, QHash<QByteArray, QString> *tokens, QString *error)
{
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0) {
        *error = QCoreApplication::translate("Service", "The tokens file %1 does not exist.").arg(fileName);
        return false;
    }
    if (st.st_mode & (S_IRWXG | S_IRWXO)) {
        *error = QCoreApplication::translate("Service", "The tokens file %1 has mode %2: group and others must not read or write it (chmod 600).")
                     .arg(fileName)
                     .arg(QString::number(st.st_mode & 07777, 8).rightJustified(4, QLatin1Char('0')));
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("Service", "Cannot read the tokens file %1.").arg(fileName);
        return false;
    }
    tokens->clear();
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() != 2) {
            *error = QCoreApplication::translate("Service", "The tokens file %1, line %2: write a token and a name.").arg(fileName).arg(lineNumber);
            return false;
        }
        tokens->insert(parts[0], QString::fromUtf8(parts[1]));
    }
    if (tokens->isEmpty()) {
        *error = QCoreApplication::translate("Service", "The tokens file %1 holds no token.").arg(fileName);
        return false;
    }
    return true;
}

struct TJobService::Private {
    TServiceOptions Options;
    TJobStore Store;

    bool Authorized(const QByteArray &header) const
    {
        if (!header.startsWith("Bearer "))
            return false;
        const QByteArray given = header.mid(7).trimmed();
        bool found = false;
        // Every token is compared, so the time does not tell which one came close.
        for (auto it = Options.Tokens.cbegin(); it != Options.Tokens.cend(); ++it)
            found |= SameSecret(given, it.key());
        return found && !given.isEmpty();
    }

    TServiceReply Labels()
    {
        QJsonArray list;
        const QDir dir(Options.LabelsDir);
        for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*.lbl")}, QDir::Files, QDir::Name)) {
            TItemContainer items;
            QString why;
            QJsonObject o{{QStringLiteral("name"), info.fileName()}};
            if (!LoadServiceLabel(Options.LabelsDir, info.fileName(), items, &why)) {
                o.insert(QStringLiteral("error"), why);
                list.append(o);
                continue;
            }
            const TLabelFormat &f = items.LabelFormat;
            o.insert(QStringLiteral("width_mm"), millimetres(f.Label_Width, LabelUnit(f)));
            o.insert(QStringLiteral("height_mm"), millimetres(f.Label_Height, LabelUnit(f)));
            o.insert(QStringLiteral("columns"), QJsonArray::fromStringList(NamedColumns(items.Items)));
            QJsonArray asked;
            for (const TAskedValue &a : AskedValues(items.Items))
                asked.append(QJsonObject{{QStringLiteral("name"), a.Name},
                                         {QStringLiteral("caption"), a.Caption},
                                         {QStringLiteral("default"), a.Default},
                                         {QStringLiteral("pattern"), a.Pattern}});
            o.insert(QStringLiteral("values"), asked);
            list.append(o);
        }
        return json(200, {{QStringLiteral("labels"), list}});
    }

    TServiceReply Printers()
    {
        QJsonArray list;
        for (const TPrinterStatus &p : Options.Printers ? Options.Printers() : QList<TPrinterStatus>())
            list.append(QJsonObject{{QStringLiteral("name"), p.Name},
                                    {QStringLiteral("state"), p.State},
                                    {QStringLiteral("accepting"), p.Accepting},
                                    {QStringLiteral("message"), p.Message},
                                    {QStringLiteral("default"), p.Default}});
        return json(200, {{QStringLiteral("printers"), list}});
    }

    TServiceReply Metrics()
    {
        // Seconds: a one-label PDF takes a fraction of one, a long roll an hour.
        static const double bounds[] = {0.1, 0.25, 0.5, 1, 2.5, 5, 10, 30, 60, 300, 900, 3600};
        QList<qint64> boundsMs;
        for (double b : bounds)
            boundsMs.append(qint64(b * 1000));
        TJobStats stats;
        QString why;
        if (!Store.Stats(boundsMs, stats, &why))
            return problem(500, why);
        QByteArray out;
        out += "# HELP quorvane_jobs Jobs in the store by state.\n# TYPE quorvane_jobs gauge\n";
        for (int i = 0; i < 5; ++i)
            out += "quorvane_jobs{state=\"" + JobStateName(TJobState(i)).toLatin1() + "\"} "
                + QByteArray::number(stats.ByState[i]) + '\n';
        out += "# HELP quorvane_labels_printed_total Labels printed by the jobs in the store.\n"
               "# TYPE quorvane_labels_printed_total counter\n"
               "quorvane_labels_printed_total " + QByteArray::number(stats.LabelsPrinted) + '\n';
        out += "# HELP quorvane_queue_depth Jobs waiting for a worker.\n# TYPE quorvane_queue_depth gauge\n"
               "quorvane_queue_depth " + QByteArray::number(stats.ByState[int(TJobState::Queued)]) + '\n';
        out += "# HELP quorvane_job_seconds Time from accepting a job to its end as done.\n"
               "# TYPE quorvane_job_seconds histogram\n";
        for (qsizetype i = 0; i < boundsMs.size(); ++i)
            out += "quorvane_job_seconds_bucket{le=\"" + QByteArray::number(bounds[i]) + "\"} "
                + QByteArray::number(stats.WithinBound[i]) + '\n';
        out += "quorvane_job_seconds_bucket{le=\"+Inf\"} " + QByteArray::number(stats.DoneCount) + '\n';
        out += "quorvane_job_seconds_sum " + QByteArray::number(double(stats.DoneMsecs) / 1000, 'f', 3) + '\n';
        out += "quorvane_job_seconds_count " + QByteArray::number(stats.DoneCount) + '\n';
        TServiceReply reply;
        reply.ContentType = "text/plain; version=0.0.4";
        reply.Body = out;
        return reply;
    }

    // A failed or cancelled job again, as a new job of the same body; checked
    // anew, since the label or the printer may have changed since. Keyed by
    // the old job, so two people pressing retry print it once.
    TServiceReply Retry(qint64 id)
    {
        QString why;
        const std::optional<TJob> job = Store.Get(id, &why);
        if (!job)
            return why.isEmpty() ? problem(404, QCoreApplication::translate("Service", "No job %1.").arg(id)) : problem(500, why);
        if (job->State != TJobState::Failed && job->State != TJobState::Cancelled)
            return problem(409, QCoreApplication::translate("Service", "Job %1 is %2: only a failed or cancelled job can be retried.")
                                    .arg(id)
                                    .arg(JobStateName(job->State)));
        return Accept(job->Body, -1, QStringLiteral("quorvane-retry-of-%1").arg(id), id);
    }

    // Everything a job passes before it is stored, whichever way it came.
    TServiceReply Accept(const QByteArray &body, qint64 announcedSize, const QString &key, qint64 retryOf = 0)
    {
        const TRequestLimits limits;
        if (body.size() > limits.MaxBodyBytes || announcedSize > limits.MaxBodyBytes)
            return problem(413, QCoreApplication::translate("Service", "The request is longer than %1 bytes.").arg(limits.MaxBodyBytes), QString());
        TJobRequest req;
        TRequestProblem p;
        if (!ParseJobRequest(body, limits, &req, &p))
            return problem(400, p.Message, p.Field);
        if (!SafeLabelName(req.Label))
            return problem(400, QCoreApplication::translate("Service", "The label must be the name of a .lbl file in the labels' folder."),
                           QStringLiteral("label"));
        TItemContainer items;
        QString why;
        if (!LoadServiceLabel(Options.LabelsDir, req.Label, items, &why))
            return problem(400, why, QStringLiteral("label"));
        if (!CheckJobRequest(items, req, &p))
            return problem(400, p.Message, p.Field);
        if (!req.Printer.isEmpty() && !(Options.PrinterKnown && Options.PrinterKnown(req.Printer)))
            return problem(400, QCoreApplication::translate("Service", "No printer is named %1.").arg(req.Printer), QStringLiteral("printer"));
        const int labels = int(qMin<qint64>(qint64(qMax<qsizetype>(1, req.Records.size())) * req.Copies, INT_MAX));
        TJob job;
        bool existing = false;
        if (!Store.Add(body, key, req.Title, job, existing, &why, labels))
            return problem(500, why);
        if (!existing && Options.JobAdded)
            Options.JobAdded();
        QJsonObject answer{{QStringLiteral("id"), job.Id}, {QStringLiteral("state"), JobStateName(job.State)}};
        if (retryOf > 0)
            answer.insert(QStringLiteral("retry_of"), retryOf);
        return json(existing ? 200 : 201, answer);
    }

    TServiceReply Jobs(const TServiceRequest &r)
    {
        std::optional<TJobState> state;
        const QString stateText = r.Query.queryItemValue(QStringLiteral("state"));
        if (!stateText.isEmpty() && !(state = JobStateFromName(stateText)))
            return problem(400, QCoreApplication::translate("Service", "Unknown state %1.").arg(stateText), QStringLiteral("state"));
        int limit = 100;
        if (r.Query.hasQueryItem(QStringLiteral("limit"))) {
            bool ok = false;
            limit = r.Query.queryItemValue(QStringLiteral("limit")).toInt(&ok);
            if (!ok || limit < 1 || limit > TJobStore::MaxList)
                return problem(400, QCoreApplication::translate("Service", "The limit is a whole number from 1 to %1.").arg(TJobStore::MaxList),
                               QStringLiteral("limit"));
        }
        QString why;
        const QList<TJob> jobs = Store.List(state, limit, &why);
        if (!why.isEmpty())
            return problem(500, why);
        QJsonArray list;
        for (const TJob &job : jobs)
            list.append(jobObject(job));
        return json(200, {{QStringLiteral("jobs"), list}});
    }

    TServiceReply OneJob(const TServiceRequest &r, qint64 id, bool pdf)
    {
        QString why;
        if (r.Method == "DELETE" && !pdf) {
            switch (Store.Cancel(id, &why)) {
            case TJobCancel::Cancelled:
            case TJobCancel::Requested:
                break;
            case TJobCancel::Refused:
                return problem(409, QCoreApplication::translate("Service", "Job %1 has ended already.").arg(id));
            case TJobCancel::NotFound:
                return problem(404, QCoreApplication::translate("Service", "No job %1.").arg(id));
            case TJobCancel::Error:
                return problem(500, why);
            }
        } else if (r.Method != "GET") {
            return problem(405, QCoreApplication::translate("Service", "Method not allowed."));
        }
        const std::optional<TJob> job = Store.Get(id, &why);
        if (!job)
            return why.isEmpty() ? problem(404, QCoreApplication::translate("Service", "No job %1.").arg(id)) : problem(500, why);
        if (!pdf)
            return json(200, jobObject(*job));
        const QString file = PdfFile(Options.StateDir, id);
        TServiceReply reply;
        reply.ContentType = "application/pdf";
        if (job->State == TJobState::Done && QFileInfo::exists(file)) {
            reply.FileName = file;
            return reply;
        }
        // Another server that shares the queue may have drawn it.
        if (job->State == TJobState::Done && Store.Shared()) {
            reply.Body = Store.Pdf(id, &why);
            if (!why.isEmpty())
                return problem(500, why);
            if (!reply.Body.isEmpty())
                return reply;
        }
        if (job->State == TJobState::Done && !Options.StateDir.isEmpty()
            && job->Finished.secsTo(QDateTime::currentDateTimeUtc()) > PdfKeepSeconds)
            return problem(404, QCoreApplication::translate("Service", "The PDF of job %1 was kept for a day and has been removed.").arg(id));
        return problem(404, QCoreApplication::translate("Service", "Job %1 has no PDF.").arg(id));
    }
};

TJobService::TJobService(TServiceOptions options) : d(std::make_unique<Private>())
{
    d->Options = std::move(options);
}

TJobService::~TJobService() = default;

bool TJobService::Open(QString *error)
{
    return d->Store.Open(TStoreLocation{d->Options.StateDir, d->Options.QueueUrl}, error);
}

TServiceReply TJobService::Accept(const QByteArray &body, const QString &idempotencyKey)
{
    return d->Accept(body, -1, idempotencyKey);
}

QString TJobService::PdfFile(const QString &stateDir, qint64 id)
{
    return QDir(stateDir).filePath(QStringLiteral("pdf/%1.pdf").arg(id));
}

int TJobService::RemoveOldPdfs(const QString &stateDir, const QDateTime &cutoff)
{
    const QDir pdfs(QDir(stateDir).filePath(QStringLiteral("pdf")));
    int removed = 0;
    for (const QFileInfo &info : pdfs.entryInfoList(QDir::Files))
        if (info.lastModified() < cutoff && QFile::remove(info.filePath()))
            ++removed;
    return removed;
}

TServiceReply TJobService::Handle(const TServiceRequest &r)
{
    const QStringList path = r.Path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (path.value(0) == QLatin1String("metrics") && path.size() == 1) {
        if (!d->Authorized(r.Authorization))
            return problem(401, QCoreApplication::translate("Service", "A valid token is needed (Authorization: Bearer TOKEN)."));
        return r.Method == "GET" ? d->Metrics() : problem(405, QCoreApplication::translate("Service", "Method not allowed."));
    }
    if (path.value(0) != QLatin1String("v1"))
        return staticFile(r);
    if (path.size() == 2 && path[1] == QLatin1String("health")) {
        if (r.Method != "GET")
            return problem(405, QCoreApplication::translate("Service", "Method not allowed."));
        return json(200, {{QStringLiteral("status"), QStringLiteral("ok")}, {QStringLiteral("version"), d->Options.Version}});
    }
    if (!d->Authorized(r.Authorization))
        return problem(401, QCoreApplication::translate("Service", "A valid token is needed (Authorization: Bearer TOKEN)."));
    const QString what = path.value(1);
    if (what == QLatin1String("labels") && path.size() == 2)
        return r.Method == "GET" ? d->Labels() : problem(405, QCoreApplication::translate("Service", "Method not allowed."));
    if (what == QLatin1String("printers") && path.size() == 2)
        return r.Method == "GET" ? d->Printers() : problem(405, QCoreApplication::translate("Service", "Method not allowed."));
    if (what != QLatin1String("jobs"))
        return problem(404, QCoreApplication::translate("Service", "Not found."));
    if (path.size() == 2) {
        if (r.Method == "POST")
            return d->Accept(r.Body, r.BodySize, QString::fromUtf8(r.IdempotencyKey));
        if (r.Method == "GET")
            return d->Jobs(r);
        return problem(405, QCoreApplication::translate("Service", "Method not allowed."));
    }
    bool ok = false;
    const qint64 id = path[2].toLongLong(&ok);
    if (!ok || id <= 0 || path.size() > 4)
        return problem(404, QCoreApplication::translate("Service", "Not found."));
    if (path.size() == 4 && path[3] == QLatin1String("retry"))
        return r.Method == "POST" ? d->Retry(id) : problem(405, QCoreApplication::translate("Service", "Method not allowed."));
    if (path.size() == 4 && path[3] != QLatin1String("pdf"))
        return problem(404, QCoreApplication::translate("Service", "Not found."));
    return d->OneJob(r, id, path.size() == 4);
}
