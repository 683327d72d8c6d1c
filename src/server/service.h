#pragma once
// The print service's requests under /v1, answered without a network in
// sight: the HTTP server hands each request in and sends back the reply, so
// every answer is decided here and the tokens never leave this class.

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrlQuery>
#include <functional>
#include <memory>

// One line each: "TOKEN NAME" (the name says whose token it is and is what
// the log shows); blank lines and lines from '#' are skipped. Refused when
// the file is missing, or group or others may read or write it.
bool LoadTokens(const QString &fileName, QHash<QByteArray, QString> *tokens, QString *error);

// Compares without stopping at the first difference, so the time taken
// tells nothing of how much of a token was right.
bool SameSecret(const QByteArray &a, const QByteArray &b);

// A spooler queue as GET /v1/printers shows it.
struct TPrinterStatus {
    QString Name;
    QString State; // "idle", "printing" or "stopped"
    bool Accepting = true;
    QString Message;
    bool Default = false;
};

struct TServiceOptions {
    QString StateDir;  // jobs.db and pdf/
    QString QueueUrl;  // postgresql://...: the jobs are kept there, shared, not in StateDir
    QString LabelsDir; // the only folder labels are read from
    QHash<QByteArray, QString> Tokens;
    QString Version;
    // Whether the spooler knows a printer by this name.
    std::function<bool(const QString &)> PrinterKnown;
    // The spooler's queues; none when not set.
    std::function<QList<TPrinterStatus>()> Printers;
    // Called after a job was added (wakes the workers).
    std::function<void()> JobAdded;
};

struct TServiceRequest {
    QByteArray Method; // "GET", "POST", "DELETE"
    QString Path;
    QUrlQuery Query;
    QByteArray Authorization, IdempotencyKey;
    QByteArray Body;
    qint64 BodySize = -1; // as announced; the body's own size when -1
};

struct TServiceReply {
    int Status = 200;
    QByteArray ContentType = "application/json";
    QByteArray Body;
    QString FileName; // a file to send in place of Body
};

class TJobService {
public:
    explicit TJobService(TServiceOptions options);
    ~TJobService();
    // Opens the store; false with *error when it cannot.
    bool Open(QString *error);
    TServiceReply Handle(const TServiceRequest &request);
    // A job as POST /v1/jobs takes it (checked, then stored), for jobs that
    // come in by other ways than HTTP: 201, 200 for a key stored before,
    // 4xx with the field at fault, 500 when the store failed.
    TServiceReply Accept(const QByteArray &body, const QString &idempotencyKey);
    // Where a job's PDF lies once done.
    static QString PdfFile(const QString &stateDir, qint64 id);
    // A job's PDF is kept for a day after it was drawn: removes those made
    // before cutoff (and pieces a kill left); the number removed.
    static constexpr int PdfKeepSeconds = 24 * 3600;
    static int RemoveOldPdfs(const QString &stateDir, const QDateTime &cutoff);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
