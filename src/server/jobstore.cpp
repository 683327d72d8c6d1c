#include "server/jobstore.h"

#include "data/sqlsource.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <atomic>

namespace {

const char *const StateNames[] = {"queued", "printing", "done", "failed", "cancelled"};

// Times are stored as milliseconds since the epoch (UTC): comparable in SQL
// on any database, no zone to misread.
qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

QDateTime timeFrom(const QVariant &v)
{
    return v.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(v.toLongLong(), Qt::UTC);
}

// Qt binds a null QString as NULL; the text columns hold '' instead.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The URL without its password (after user: or as ?password=), and the
// password, which goes to the driver alone.
void splitPassword(const QString &url, QString *rest, QString *password)
{
    const qsizetype start = url.indexOf(QLatin1String("://"));
    if (start < 0) {
        *rest = url;
        return;
    }
    const qsizetype authorityStart = start + 3;
    qsizetype authorityEnd = url.indexOf(QLatin1Char('/'), authorityStart);
    const qsizetype query = url.indexOf(QLatin1Char('?'), authorityStart);
    if (authorityEnd < 0 || (query >= 0 && query < authorityEnd))
        authorityEnd = query < 0 ? url.size() : query;
    QString authority = url.mid(authorityStart, authorityEnd - authorityStart);
    if (const qsizetype at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        const qsizetype colon = authority.left(at).indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            *password = QUrl::fromPercentEncoding(authority.mid(colon + 1, at - colon - 1).toUtf8());
            authority.remove(colon, at - colon);
        }
    }
    QString tail = url.mid(authorityEnd);
    if (const qsizetype q = tail.indexOf(QLatin1Char('?')); q >= 0) {
        QStringList kept;
        for (const QString &pair : tail.mid(q + 1).split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
            if (pair.startsWith(QLatin1String("password="), Qt::CaseInsensitive))
                *password = QUrl::fromPercentEncoding(pair.mid(9).toUtf8());
            else
                kept << pair;
        }
        tail = tail.left(q) + (kept.isEmpty() ? QString() : QLatin1Char('?') + kept.join(QLatin1Char('&')));
    }
    *rest = url.left(authorityStart) + authority + tail;
}

bool parseQueueUrl(const QString &url, TSqlConnection &c, QString *password, QString *error)
{
    QString rest;
    splitPassword(url.trimmed(), &rest, password);
    if (!ParseSqlUrl(rest, c, error))
        return false;
    if (c.Driver != QLatin1String("QPSQL")) {
        setError(error, QCoreApplication::translate("Service", "The queue must be a PostgreSQL database "
                                                               "(postgresql://USER@HOST:PORT/DB): %1")
                            .arg(SqlUrl(c)));
        return false;
    }
    return true;
}

// A connect option as libpq reads it: key='value'.
QString pqOption(const QString &key, QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return key + QLatin1String("='") + value + QLatin1Char('\'');
}

// The servers sharing a database make its tables one at a time.
constexpr qint64 SchemaLock = 0x71766a6f6273; // "qvjobs"

const char *const Columns = "id, state, body, idem_key, title, labels_total, labels_printed, pages, printer_job, "
                            "message, owner, lease_end, cancel_requested, accepted, started, finished";

TJob jobFrom(const QSqlQuery &q)
{
    TJob j;
    j.Id = q.value(0).toLongLong();
    j.State = JobStateFromName(q.value(1).toString()).value_or(TJobState::Failed);
    j.Body = q.value(2).toByteArray();
    j.IdempotencyKey = q.value(3).toString();
    j.Title = q.value(4).toString();
    j.LabelsTotal = q.value(5).toInt();
    j.LabelsPrinted = q.value(6).toInt();
    j.Pages = q.value(7).toInt();
    j.PrinterJob = q.value(8).toString();
    j.Message = q.value(9).toString();
    j.Owner = q.value(10).toString();
    j.LeaseEnd = timeFrom(q.value(11));
    j.CancelRequested = q.value(12).toInt() != 0;
    j.Accepted = timeFrom(q.value(13));
    j.Started = timeFrom(q.value(14));
    j.Finished = timeFrom(q.value(15));
    return j;
}

} // namespace

QString JobStateName(TJobState state)
{
    return QString::fromLatin1(StateNames[static_cast<int>(state)]);
}

std::optional<TJobState> JobStateFromName(const QString &name)
{
    for (int i = 0; i < 5; ++i)
        if (name == QLatin1String(StateNames[i]))
            return static_cast<TJobState>(i);
    return std::nullopt;
}

bool CheckQueueUrl(const QString &url, QString *shown, QString *error)
{
    TSqlConnection c;
    QString password;
    if (!parseQueueUrl(url, c, &password, error))
        return false;
    if (shown)
        *shown = SqlUrl(c);
    return true;
}

struct TJobStore::Private {
    QString name; // the connection's, unique per store
    QString file;
    QSqlDatabase db;
    bool pg = false; // PostgreSQL, shared with other servers; SQLite otherwise

    // Milliseconds since the epoch by the clock that decides leases: the
    // database server's when servers share it, as their own clocks differ.
    qint64 now()
    {
        if (!pg)
            return nowMs();
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("SELECT CAST(EXTRACT(EPOCH FROM clock_timestamp()) * 1000 AS BIGINT)")) && q.next())
            return q.value(0).toLongLong();
        // The statement that follows fails the same way and says why.
        return nowMs();
    }

    // Holds the job's row until the transaction ends (SQLite's transactions
    // hold the whole file already).
    bool lockRow(qint64 id, QString *error)
    {
        if (!pg)
            return true;
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT id FROM jobs WHERE id = ? FOR UPDATE"));
        q.addBindValue(id);
        return exec(q, error);
    }

    QString dbError(const QSqlError &e) const
    {
        return QCoreApplication::translate("Service", "The job store %1 failed: %2").arg(file, e.text());
    }

    bool exec(QSqlQuery &q, QString *error)
    {
        if (q.exec())
            return true;
        setError(error, dbError(q.lastError()));
        return false;
    }

    bool run(const QString &sql, QString *error)
    {
        QSqlQuery q(db);
        if (q.exec(sql))
            return true;
        setError(error, dbError(q.lastError()));
        return false;
    }

    // A write transaction that holds the write lock from its first statement,
    // so a read-then-update (Take, Add with a key) cannot interleave with
    // another process's. durable: the commit reaches the disk before it
    // returns, not only the operating system.
    bool begin(bool durable, QString *error)
    {
        if (pg)
            return run(QStringLiteral("BEGIN"), error)
                && (durable || run(QStringLiteral("SET LOCAL synchronous_commit = off"), error));
        return run(durable ? QStringLiteral("PRAGMA synchronous=FULL") : QStringLiteral("PRAGMA synchronous=NORMAL"),
                   error)
            && run(QStringLiteral("BEGIN IMMEDIATE"), error);
    }

    bool commit(QString *error)
    {
        if (run(QStringLiteral("COMMIT"), error))
            return true;
        rollback();
        return false;
    }

    void rollback()
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("ROLLBACK"));
    }

    void drop()
    {
        if (db.isValid())
            db.close();
        db = QSqlDatabase();
        if (!name.isEmpty())
            QSqlDatabase::removeDatabase(name);
        name.clear();
    }

    std::optional<TJob> fetch(const QString &where, const QVariant &value, QString *error)
    {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT %1 FROM jobs WHERE %2 = ?").arg(QLatin1String(Columns), where));
        q.addBindValue(value);
        if (!exec(q, error))
            return std::nullopt;
        if (!q.next())
            return std::nullopt;
        return jobFrom(q);
    }
};

TJobStore::TJobStore() : d(std::make_unique<Private>()) {}

TJobStore::~TJobStore()
{
    d->drop();
}

bool TJobStore::IsOpen() const
{
    return d->db.isValid() && d->db.isOpen();
}

QString TJobStore::FileName() const
{
    return d->file;
}

bool TJobStore::Shared() const
{
    return d->pg;
}

bool TJobStore::Open(const TStoreLocation &where, QString *error)
{
    if (where.Url.isEmpty())
        return Open(where.Folder, error);
    if (IsOpen()) {
        setError(error, QCoreApplication::translate("Service", "The job store %1 is open already.").arg(d->file));
        return false;
    }
    TSqlConnection c;
    QString password;
    if (!parseQueueUrl(where.Url, c, &password, error))
        return false;
    if (!QSqlDatabase::isDriverAvailable(c.Driver)) {
        setError(error, QCoreApplication::translate(
                            "Service", "The job store cannot be opened: the Qt SQL driver %1 is not installed.")
                            .arg(c.Driver));
        return false;
    }
    static std::atomic<int> counter{0};
    d->name = QStringLiteral("quorvane-queue-%1").arg(++counter);
    d->file = SqlUrl(c);
    d->pg = true;
    d->db = QSqlDatabase::addDatabase(c.Driver, d->name);
    d->db.setHostName(c.Host);
    if (c.Port > 0)
        d->db.setPort(c.Port);
    d->db.setDatabaseName(c.Database);
    d->db.setUserName(c.User);
    d->db.setPassword(password);
    QStringList options;
    bool timeout = false;
    for (const QString &o : c.Options) {
        const qsizetype eq = o.indexOf(QLatin1Char('='));
        timeout |= o.left(eq) == QLatin1String("connect_timeout");
        options << pqOption(o.left(eq), o.mid(eq + 1));
    }
    if (!timeout)
        options << pqOption(QStringLiteral("connect_timeout"), QStringLiteral("15"));
    d->db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!d->db.open()) {
        setError(error, d->dbError(d->db.lastError()));
        d->drop();
        d->pg = false;
        return false;
    }
    const bool ok = d->run(QStringLiteral("SET client_min_messages = warning"), error) && d->begin(true, error)
        && d->run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLock), error)
        && d->run(QStringLiteral("CREATE TABLE IF NOT EXISTS jobs ("
                                 "id BIGSERIAL PRIMARY KEY,"
                                 "state TEXT NOT NULL,"
                                 "body BYTEA NOT NULL,"
                                 "idem_key TEXT UNIQUE,"
                                 "title TEXT NOT NULL DEFAULT '',"
                                 "labels_total INTEGER NOT NULL DEFAULT 0,"
                                 "labels_printed INTEGER NOT NULL DEFAULT 0,"
                                 "pages INTEGER NOT NULL DEFAULT 0,"
                                 "printer_job TEXT NOT NULL DEFAULT '',"
                                 "message TEXT NOT NULL DEFAULT '',"
                                 "owner TEXT NOT NULL DEFAULT '',"
                                 "lease_end BIGINT,"
                                 "lease_seconds INTEGER NOT NULL DEFAULT 0,"
                                 "cancel_requested INTEGER NOT NULL DEFAULT 0,"
                                 "accepted BIGINT NOT NULL,"
                                 "started BIGINT,"
                                 "finished BIGINT)"),
                  error)
        && d->run(QStringLiteral("CREATE INDEX IF NOT EXISTS jobs_state ON jobs (state, id)"), error)
        && d->run(QStringLiteral("CREATE TABLE IF NOT EXISTS job_pdfs ("
                                 "id BIGINT PRIMARY KEY, stored BIGINT NOT NULL, pdf BYTEA NOT NULL)"),
                  error)
        && d->commit(error);
    if (!ok) {
        d->rollback();
        d->drop();
        d->pg = false;
    }
    return ok;
}

bool TJobStore::Open(const QString &folder, QString *error)
{
    if (IsOpen()) {
        setError(error, QCoreApplication::translate("Service", "The job store %1 is open already.").arg(d->file));
        return false;
    }
    if (!QDir().mkpath(folder)) {
        setError(error, QCoreApplication::translate("Service", "Cannot create the folder %1.").arg(folder));
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        setError(error, QCoreApplication::translate(
                            "Service", "The job store cannot be opened: the Qt SQL driver QSQLITE is not installed."));
        return false;
    }
    static std::atomic<int> counter{0};
    d->name = QStringLiteral("quorvane-jobs-%1").arg(++counter);
    d->file = QDir(folder).absoluteFilePath(QStringLiteral("jobs.db"));
    d->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->name);
    d->db.setDatabaseName(d->file);
    // Another process (a second worker, the command line) may hold the write
    // lock for a moment: wait for it rather than fail.
    d->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!d->db.open()) {
        setError(error, d->dbError(d->db.lastError()));
        d->drop();
        return false;
    }
    // The format of the table below; a later format converts older files here.
    const int format = 1;
    QSqlQuery version(d->db);
    if (version.exec(QStringLiteral("PRAGMA user_version")) && version.next() && version.value(0).toInt() > format) {
        setError(error, QCoreApplication::translate(
                            "Service", "The job store %1 was written by a newer version of the program (format %2).")
                            .arg(d->file)
                            .arg(version.value(0).toInt()));
        version.finish();
        d->drop();
        return false;
    }
    version.finish();
    const bool ok = d->run(QStringLiteral("PRAGMA journal_mode=WAL"), error)
        && d->run(QStringLiteral("PRAGMA synchronous=FULL"), error)
        && d->run(QStringLiteral("CREATE TABLE IF NOT EXISTS jobs ("
                                 "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                 "state TEXT NOT NULL,"
                                 "body BLOB NOT NULL,"
                                 "idem_key TEXT UNIQUE,"
                                 "title TEXT NOT NULL DEFAULT '',"
                                 "labels_total INTEGER NOT NULL DEFAULT 0,"
                                 "labels_printed INTEGER NOT NULL DEFAULT 0,"
                                 "pages INTEGER NOT NULL DEFAULT 0,"
                                 "printer_job TEXT NOT NULL DEFAULT '',"
                                 "message TEXT NOT NULL DEFAULT '',"
                                 "owner TEXT NOT NULL DEFAULT '',"
                                 "lease_end INTEGER,"
                                 "lease_seconds INTEGER NOT NULL DEFAULT 0,"
                                 "cancel_requested INTEGER NOT NULL DEFAULT 0,"
                                 "accepted INTEGER NOT NULL,"
                                 "started INTEGER,"
                                 "finished INTEGER)"),
                  error)
        && d->run(QStringLiteral("CREATE INDEX IF NOT EXISTS jobs_state ON jobs (state, id)"), error)
        && d->run(QStringLiteral("PRAGMA user_version = %1").arg(format), error);
    if (!ok)
        d->drop();
    return ok;
}

bool TJobStore::Add(const QByteArray &body, const QString &idempotencyKey, const QString &title, TJob &job,
                    bool &existing, QString *error, int labelsTotal)
{
    existing = false;
    if (!d->begin(true, error))
        return false;
    if (!idempotencyKey.isEmpty()) {
        QString e;
        if (auto first = d->fetch(QStringLiteral("idem_key"), idempotencyKey, &e)) {
            d->rollback();
            job = *first;
            existing = true;
            return true;
        }
        if (!e.isEmpty()) {
            d->rollback();
            setError(error, e);
            return false;
        }
    }
    QSqlQuery q(d->db);
    // Two servers may store the same key at once: the second one's insert
    // waits for the first and then yields to it.
    q.prepare(QStringLiteral("INSERT INTO jobs (state, body, idem_key, title, labels_total, accepted) "
                             "VALUES (?, ?, ?, ?, ?, ?)%1")
                  .arg(d->pg ? QStringLiteral(" ON CONFLICT (idem_key) DO NOTHING RETURNING id") : QString()));
    q.addBindValue(JobStateName(TJobState::Queued));
    q.addBindValue(body);
    q.addBindValue(idempotencyKey.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(idempotencyKey));
    q.addBindValue(text(title));
    q.addBindValue(labelsTotal);
    const qint64 now = d->now();
    q.addBindValue(now);
    if (!d->exec(q, error)) {
        d->rollback();
        return false;
    }
    if (d->pg && !q.next()) {
        d->rollback();
        auto first = d->fetch(QStringLiteral("idem_key"), idempotencyKey, error);
        if (!first)
            return false;
        job = *first;
        existing = true;
        return true;
    }
    const qint64 id = d->pg ? q.value(0).toLongLong() : q.lastInsertId().toLongLong();
    if (!d->commit(error))
        return false;
    job = TJob();
    job.Id = id;
    job.Body = body;
    job.IdempotencyKey = idempotencyKey;
    job.Title = title;
    job.LabelsTotal = labelsTotal;
    job.Accepted = QDateTime::fromMSecsSinceEpoch(now, Qt::UTC);
    return true;
}

std::optional<TJob> TJobStore::Get(qint64 id, QString *error)
{
    return d->fetch(QStringLiteral("id"), id, error);
}

QList<TJob> TJobStore::List(std::optional<TJobState> state, int limit, QString *error)
{
    QList<TJob> jobs;
    QSqlQuery q(d->db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM jobs %2 ORDER BY id DESC LIMIT ?")
                  .arg(QLatin1String(Columns), state ? QStringLiteral("WHERE state = ?") : QString()));
    if (state)
        q.addBindValue(JobStateName(*state));
    q.addBindValue(std::clamp(limit, 1, MaxList));
    if (!d->exec(q, error))
        return jobs;
    while (q.next())
        jobs.append(jobFrom(q));
    return jobs;
}

std::optional<TJob> TJobStore::Take(const QString &owner, int leaseSeconds, QString *error)
{
    setError(error, QString());
    // An empty owner would match the jobs nobody holds.
    if (owner.isEmpty()) {
        setError(error, QCoreApplication::translate("Service", "A worker needs a name to take jobs."));
        return std::nullopt;
    }
    if (!d->begin(true, error))
        return std::nullopt;
    const qint64 now = d->now();
    // A job asked to stop whose worker vanished is not printed again.
    QSqlQuery stop(d->db);
    stop.prepare(QStringLiteral("UPDATE jobs SET state = ?, finished = ?, owner = '', lease_end = NULL "
                                "WHERE state = ? AND cancel_requested = 1 AND lease_end < ?"));
    stop.addBindValue(JobStateName(TJobState::Cancelled));
    stop.addBindValue(now);
    stop.addBindValue(JobStateName(TJobState::Printing));
    stop.addBindValue(now);
    if (!d->exec(stop, error)) {
        d->rollback();
        return std::nullopt;
    }
    QSqlQuery pick(d->db);
    // Shared: each server skips the jobs another is taking this moment.
    pick.prepare(QStringLiteral("SELECT id, state FROM jobs WHERE state = ? OR (state = ? AND lease_end < ? "
                                "AND cancel_requested = 0) ORDER BY id LIMIT 1%1")
                     .arg(d->pg ? QStringLiteral(" FOR UPDATE SKIP LOCKED") : QString()));
    pick.addBindValue(JobStateName(TJobState::Queued));
    pick.addBindValue(JobStateName(TJobState::Printing));
    pick.addBindValue(now);
    if (!d->exec(pick, error)) {
        d->rollback();
        return std::nullopt;
    }
    if (!pick.next()) {
        // Only the cleanup above to keep.
        d->commit(error);
        return std::nullopt;
    }
    const qint64 id = pick.value(0).toLongLong();
    const bool retaken = pick.value(1).toString() == JobStateName(TJobState::Printing);
    pick.finish();
    QSqlQuery take(d->db);
    take.prepare(QStringLiteral("UPDATE jobs SET state = ?, owner = ?, lease_end = ?, lease_seconds = ?, "
                                "started = COALESCE(started, ?) WHERE id = ?"));
    take.addBindValue(JobStateName(TJobState::Printing));
    take.addBindValue(text(owner));
    take.addBindValue(now + qint64(std::max(leaseSeconds, 0)) * 1000);
    take.addBindValue(std::max(leaseSeconds, 0));
    take.addBindValue(now);
    take.addBindValue(id);
    if (!d->exec(take, error)) {
        d->rollback();
        return std::nullopt;
    }
    auto job = d->fetch(QStringLiteral("id"), id, error);
    if (!job || !d->commit(error)) {
        d->rollback();
        return std::nullopt;
    }
    job->Retaken = retaken;
    return job;
}

TJobProgress TJobStore::Progress(qint64 id, const QString &owner, int printed, int pages, QString *error)
{
    // Lease renewals are frequent and losing the last one on a power cut only
    // shortens a lease: no synchronous commit for them.
    if (!d->begin(false, error))
        return TJobProgress::Error;
    QSqlQuery q(d->db);
    q.prepare(QStringLiteral("UPDATE jobs SET labels_printed = ?, pages = ?, lease_end = CAST(? AS BIGINT) + lease_seconds * 1000 "
                             "WHERE id = ? AND owner = ? AND state = ?"));
    q.addBindValue(printed);
    q.addBindValue(pages);
    q.addBindValue(d->now());
    q.addBindValue(id);
    q.addBindValue(owner);
    q.addBindValue(JobStateName(TJobState::Printing));
    if (!d->exec(q, error)) {
        d->rollback();
        return TJobProgress::Error;
    }
    const bool mine = q.numRowsAffected() == 1;
    std::optional<TJob> job;
    if (mine)
        job = d->fetch(QStringLiteral("id"), id, error);
    if (!d->commit(error))
        return TJobProgress::Error;
    if (!mine)
        return TJobProgress::NotOwner;
    if (!job)
        return TJobProgress::Error;
    return job->CancelRequested ? TJobProgress::CancelRequested : TJobProgress::Continue;
}

bool TJobStore::Finish(qint64 id, const QString &owner, TJobState state, const QString &message,
                       const QString &printerJob, QString *error)
{
    if (state != TJobState::Done && state != TJobState::Failed && state != TJobState::Cancelled) {
        setError(error, QCoreApplication::translate("Service", "A job can only finish as done, failed or cancelled."));
        return false;
    }
    if (!d->begin(true, error))
        return false;
    QSqlQuery q(d->db);
    q.prepare(QStringLiteral("UPDATE jobs SET state = ?, message = ?, printer_job = ?, finished = ?, lease_end = NULL "
                             "WHERE id = ? AND owner = ? AND state = ?"));
    q.addBindValue(JobStateName(state));
    q.addBindValue(text(message));
    q.addBindValue(text(printerJob));
    q.addBindValue(d->now());
    q.addBindValue(id);
    q.addBindValue(owner);
    q.addBindValue(JobStateName(TJobState::Printing));
    if (!d->exec(q, error)) {
        d->rollback();
        return false;
    }
    if (q.numRowsAffected() != 1) {
        d->rollback();
        setError(error, QCoreApplication::translate("Service", "Job %1 is not being printed by %2.").arg(id).arg(owner));
        return false;
    }
    return d->commit(error);
}

TJobCancel TJobStore::Cancel(qint64 id, QString *error)
{
    if (!d->begin(true, error))
        return TJobCancel::Error;
    QString e;
    if (!d->lockRow(id, error)) {
        d->rollback();
        return TJobCancel::Error;
    }
    const auto job = d->fetch(QStringLiteral("id"), id, &e);
    if (!job) {
        d->rollback();
        if (!e.isEmpty()) {
            setError(error, e);
            return TJobCancel::Error;
        }
        setError(error, QCoreApplication::translate("Service", "There is no job %1.").arg(id));
        return TJobCancel::NotFound;
    }
    QSqlQuery q(d->db);
    TJobCancel result;
    if (job->State == TJobState::Queued) {
        q.prepare(QStringLiteral("UPDATE jobs SET state = ?, finished = ? WHERE id = ?"));
        q.addBindValue(JobStateName(TJobState::Cancelled));
        q.addBindValue(d->now());
        q.addBindValue(id);
        result = TJobCancel::Cancelled;
    } else if (job->State == TJobState::Printing) {
        q.prepare(QStringLiteral("UPDATE jobs SET cancel_requested = 1 WHERE id = ?"));
        q.addBindValue(id);
        result = TJobCancel::Requested;
    } else {
        d->rollback();
        setError(error, QCoreApplication::translate("Service", "Job %1 is %2 already and cannot be cancelled.")
                            .arg(id)
                            .arg(JobStateName(job->State)));
        return TJobCancel::Refused;
    }
    if (!d->exec(q, error)) {
        d->rollback();
        return TJobCancel::Error;
    }
    return d->commit(error) ? result : TJobCancel::Error;
}

int TJobStore::Recover(const QString &owner, QString *error)
{
    if (!d->begin(true, error))
        return -1;
    const qint64 now = d->now();
    QSqlQuery stop(d->db);
    stop.prepare(QStringLiteral("UPDATE jobs SET state = ?, finished = ?, owner = '', lease_end = NULL "
                                "WHERE state = ? AND owner = ? AND cancel_requested = 1"));
    stop.addBindValue(JobStateName(TJobState::Cancelled));
    stop.addBindValue(now);
    stop.addBindValue(JobStateName(TJobState::Printing));
    stop.addBindValue(owner);
    QSqlQuery back(d->db);
    // The printer job id stays: the caller asks the spooler about it first.
    back.prepare(QStringLiteral("UPDATE jobs SET state = ?, owner = '', lease_end = NULL "
                                "WHERE state = ? AND owner = ?"));
    back.addBindValue(JobStateName(TJobState::Queued));
    back.addBindValue(JobStateName(TJobState::Printing));
    back.addBindValue(owner);
    if (!d->exec(stop, error) || !d->exec(back, error)) {
        d->rollback();
        return -1;
    }
    const int count = stop.numRowsAffected() + back.numRowsAffected();
    return d->commit(error) ? count : -1;
}

bool TJobStore::PutPdf(qint64 id, const QByteArray &pdf, QString *error)
{
    if (!d->pg)
        return true;
    if (!d->begin(true, error))
        return false;
    const qint64 now = d->now();
    QSqlQuery put(d->db);
    put.prepare(QStringLiteral("INSERT INTO job_pdfs (id, stored, pdf) VALUES (?, ?, ?) "
                               "ON CONFLICT (id) DO UPDATE SET stored = EXCLUDED.stored, pdf = EXCLUDED.pdf"));
    put.addBindValue(id);
    put.addBindValue(now);
    put.addBindValue(pdf);
    QSqlQuery old(d->db);
    old.prepare(QStringLiteral("DELETE FROM job_pdfs WHERE stored < ?"));
    old.addBindValue(now - qint64(24) * 3600 * 1000);
    if (!d->exec(put, error) || !d->exec(old, error)) {
        d->rollback();
        return false;
    }
    return d->commit(error);
}

QByteArray TJobStore::Pdf(qint64 id, QString *error)
{
    setError(error, QString());
    if (!d->pg)
        return {};
    QSqlQuery q(d->db);
    q.prepare(QStringLiteral("SELECT pdf FROM job_pdfs WHERE id = ?"));
    q.addBindValue(id);
    if (!d->exec(q, error) || !q.next())
        return {};
    return q.value(0).toByteArray();
}

bool TJobStore::Stats(const QList<qint64> &boundsMs, TJobStats &stats, QString *error)
{
    stats = TJobStats();
    QSqlQuery byState(d->db);
    byState.setForwardOnly(true);
    byState.prepare(QStringLiteral("SELECT state, COUNT(*), COALESCE(SUM(labels_printed), 0) FROM jobs GROUP BY state"));
    if (!d->exec(byState, error))
        return false;
    while (byState.next()) {
        if (const auto state = JobStateFromName(byState.value(0).toString()))
            stats.ByState[static_cast<int>(*state)] = byState.value(1).toLongLong();
        stats.LabelsPrinted += byState.value(2).toLongLong();
    }
    // One SUM(CASE ...) a bound: a single scan of the done jobs.
    QString sql = QStringLiteral("SELECT COUNT(*), COALESCE(SUM(finished - accepted), 0)");
    for (qsizetype i = 0; i < boundsMs.size(); ++i)
        sql += QStringLiteral(", COALESCE(SUM(CASE WHEN finished - accepted <= ? THEN 1 ELSE 0 END), 0)");
    sql += QStringLiteral(" FROM jobs WHERE state = ? AND finished IS NOT NULL");
    QSqlQuery done(d->db);
    done.setForwardOnly(true);
    done.prepare(sql);
    for (qint64 bound : boundsMs)
        done.addBindValue(bound);
    done.addBindValue(JobStateName(TJobState::Done));
    if (!d->exec(done, error) || !done.next()) {
        setError(error, d->dbError(done.lastError()));
        return false;
    }
    stats.DoneCount = done.value(0).toLongLong();
    stats.DoneMsecs = done.value(1).toLongLong();
    for (qsizetype i = 0; i < boundsMs.size(); ++i)
        stats.WithinBound.append(done.value(int(i) + 2).toLongLong());
    return true;
}

bool TJobStore::CheckIntegrity(QString *error)
{
    if (d->pg)
        return true; // the server keeps its own files whole
    QSqlQuery q(d->db);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check"))) {
        setError(error, d->dbError(q.lastError()));
        return false;
    }
    QStringList found;
    while (q.next())
        found << q.value(0).toString();
    if (found == QStringList{QStringLiteral("ok")})
        return true;
    setError(error, QCoreApplication::translate("Service", "The job store %1 is damaged: %2")
                        .arg(d->file, found.join(QLatin1String("; "))));
    return false;
}
