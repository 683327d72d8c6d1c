#pragma once
// The print service's durable job store: every accepted job is on disk
// before its sender hears so, and a job taken by a worker is leased, so a
// worker killed half-way neither loses the job nor lets two workers print it.
//
// Backed by SQLite (a file jobs.db in WAL mode), or by a PostgreSQL database
// that several servers share. The statements are plain SQL with bound
// values; what is one database's own (the pragmas, how a write transaction
// starts and how Take locks, the schema's types, whose clock counts) stays in
// jobstore.cpp's few helpers.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

enum class TJobState { Queued, Printing, Done, Failed, Cancelled };

// "queued", "printing", "done", "failed", "cancelled": the names stored and
// shown to the service's clients.
QString JobStateName(TJobState state);
std::optional<TJobState> JobStateFromName(const QString &name);

struct TJob {
    qint64 Id = 0; // increasing: a later job has a greater id
    TJobState State = TJobState::Queued;
    QByteArray Body; // the request as accepted
    QString IdempotencyKey;
    QString Title;
    int LabelsTotal = 0;
    int LabelsPrinted = 0;
    int Pages = 0;
    QString PrinterJob; // the spooler's job id once the job went out
    QString Message;    // why it failed, or what the worker last said
    QString Owner;      // the worker that took it
    QDateTime LeaseEnd; // UTC; the owner's claim lapses then
    bool CancelRequested = false;
    bool Retaken = false; // Take gave it after another worker's lease ran out
    QDateTime Accepted, Started, Finished; // UTC; null until it happened
};

// What Progress tells the worker.
enum class TJobProgress {
    Continue,        // keep printing; the lease is renewed
    CancelRequested, // stop, then Finish(..., Cancelled, ...)
    NotOwner,        // the job is no longer this worker's (its lease ran out)
    Error,
};

enum class TJobCancel {
    Cancelled, // it was queued: cancelled at once
    Requested, // it is printing: its worker stops at its next Progress
    Refused,   // done, failed or cancelled already
    NotFound,
    Error,
};

// Where the jobs are kept: Url, a postgresql:// URL, when given; otherwise
// the SQLite file jobs.db in Folder.
struct TStoreLocation {
    QString Folder;
    QString Url;
};

// Checks a postgresql:// URL (user, password, host or a socket folder in
// ?host=, port, database) and gives it back without its password, fit for
// messages and logs. False with *error (which never holds the password).
bool CheckQueueUrl(const QString &url, QString *shown, QString *error);

// Counts for monitoring, taken from the rows in one pass each.
struct TJobStats {
    qint64 ByState[5] = {}; // indexed by TJobState
    qint64 LabelsPrinted = 0;
    // Done jobs, from accepted to finished: how many took at most each bound
    // (milliseconds, as asked), and the total.
    QList<qint64> WithinBound;
    qint64 DoneCount = 0, DoneMsecs = 0;
};

// One connection: use a store from one thread at a time; each worker thread
// or process opens its own (they share the file safely).
class TJobStore {
public:
    TJobStore();
    ~TJobStore();
    TJobStore(const TJobStore &) = delete;
    TJobStore &operator=(const TJobStore &) = delete;

    // Opens (or creates) folder/jobs.db; the folder is created if missing.
    bool Open(const QString &folder, QString *error);
    // The PostgreSQL database when where.Url is given (its tables are made
    // when missing), the folder's file otherwise.
    bool Open(const TStoreLocation &where, QString *error);
    bool IsOpen() const;
    // The file, or the database's URL without its password.
    QString FileName() const;
    // Whether other servers may share the store (and so cannot see this
    // server's files).
    bool Shared() const;

    // Stores a new queued job, durably (synchronous commit) before it
    // returns. With a key already stored: that first job, existing = true,
    // nothing stored.
    bool Add(const QByteArray &body, const QString &idempotencyKey, const QString &title, TJob &job,
             bool &existing, QString *error, int labelsTotal = 0);
    std::optional<TJob> Get(qint64 id, QString *error = nullptr);
    // Newest first; all states when state is empty; limit is kept within
    // 1..MaxList.
    static constexpr int MaxList = 1000;
    QList<TJob> List(std::optional<TJobState> state, int limit, QString *error = nullptr);

    // The oldest queued job, or one whose lease ran out while printing,
    // becomes printing for owner with a lease of leaseSeconds. Empty with an
    // empty *error when there is none.
    std::optional<TJob> Take(const QString &owner, int leaseSeconds, QString *error = nullptr);
    // Records how far the owner got and renews its lease for as long as
    // Take granted it.
    TJobProgress Progress(qint64 id, const QString &owner, int printed, int pages, QString *error = nullptr);
    // Ends a printing job of owner's: state is Done, Failed or Cancelled.
    bool Finish(qint64 id, const QString &owner, TJobState state, const QString &message,
                const QString &printerJob, QString *error = nullptr);
    TJobCancel Cancel(qint64 id, QString *error = nullptr);
    // At a worker's start: its jobs left printing go back to the queue (or,
    // asked to stop, become cancelled). The number of jobs, -1 on error.
    int Recover(const QString &owner, QString *error = nullptr);

    // A finished PDF job's document, kept in a shared store so that every
    // server can hand it out; older ones than a day are dropped meanwhile.
    bool PutPdf(qint64 id, const QByteArray &pdf, QString *error = nullptr);
    // Empty with an empty *error when there is none.
    QByteArray Pdf(qint64 id, QString *error = nullptr);

    // boundsMs: the histogram's upper bounds, ascending.
    bool Stats(const QList<qint64> &boundsMs, TJobStats &stats, QString *error = nullptr);

    // The database's own check of its file; false with *error naming what
    // it found.
    bool CheckIntegrity(QString *error);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
