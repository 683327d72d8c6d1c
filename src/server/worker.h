#pragma once
// The service's printing: threads that take jobs from the store one at a
// time and print them, each through its own connection to the store.

#include "printing/printengine.h"

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>

// A printer by its queue's name, with JobId giving after End the spooler's
// job (empty when none) and Cancel withdrawing that job from the spooler;
// null with *error when it cannot be used.
struct TPrinterOutput {
    std::unique_ptr<TPrinterDevice> Device;
    std::function<QString()> JobId;
    std::function<void()> Cancel;
};
using TPrinterFactory = std::function<TPrinterOutput(const QString &printer, QString *error)>;

// The spooler's id of a job on printer that is waiting, held, printing or
// printed, found by its id as stored (may be empty) or by its name, made no
// earlier than since; empty when the spooler has no such job.
using TPrinterJobFinder = std::function<QString(const QString &printer, const QString &storedId,
                                                const QString &name, const QDateTime &since)>;

// Withdraws the spooler's job jobId from printer.
using TPrinterJobCanceller = std::function<void(const QString &printer, const QString &jobId)>;

// The name of a service job's job on the spooler: "quorvane-job-ID" and a
// space, then its title. A restart looks for it before printing the job again.
QString PrinterJobName(qint64 id);

// Shared by the workers: wakes them when a job arrives, and tells them to stop.
class TWorkerSignal {
public:
    void Wake();
    // Waits until woken, stopped or msecs passed.
    void Wait(int msecs);
    void Stop();
    bool Stopping() const { return stop_; }

private:
    QMutex mutex_;
    QWaitCondition cond_;
    std::atomic<bool> stop_{false};
    quint64 wakes_ = 0;
};

class TPrintWorker : public QThread {
public:
    // owner: this worker's name in the store; the same after a restart, so
    // the jobs it held come back to it.
    TPrintWorker(QString stateDir, QString labelsDir, QString owner, TPrinterFactory printers,
                 TWorkerSignal *signal, TPrinterJobFinder findJob = {}, TPrinterJobCanceller cancelJob = {});

    // The jobs are kept in this PostgreSQL database, not in the state folder.
    void SetQueue(const QString &url) { queueUrl_ = url; }

    static constexpr int LeaseSeconds = 60;
    static constexpr int PollMsecs = 200;

protected:
    void run() override;

private:
    QString stateDir_, labelsDir_, owner_, queueUrl_;
    TPrinterFactory printers_;
    TPrinterJobFinder findJob_;
    TPrinterJobCanceller cancelJob_;
    TWorkerSignal *signal_;
};
