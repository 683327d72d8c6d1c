#include "server/worker.h"

#include "data/memorysource.h"
#include "model/advanced.h"
#include "printing/jobrequest.h"
#include "printing/pdfdevice.h"
#include "server/jobstore.h"
#include "server/service.h"
#include "server/servicelabel.h"
#include "storage/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

void TWorkerSignal::Wake()
{
    QMutexLocker lock(&mutex_);
    ++wakes_;
    cond_.wakeAll();
}

void TWorkerSignal::Wait(int msecs)
{
    QMutexLocker lock(&mutex_);
    const quint64 seen = wakes_;
    QElapsedTimer timer;
    timer.start();
    while (!stop_ && wakes_ == seen && timer.elapsed() < msecs)
        cond_.wait(&mutex_, QDeadlineTimer(msecs - timer.elapsed()));
}

void TWorkerSignal::Stop()
{
    QMutexLocker lock(&mutex_);
    stop_ = true;
    cond_.wakeAll();
}

namespace {

void logLine(const QString &text)
{
    std::fprintf(stderr, "quorvane-server: %s\n", text.toUtf8().constData());
}

// Records progress in the store; a stop of the server or a cancel asked by a
// client ends the job at its next label.
class StoreProgress : public TPrintProgressSink {
public:
    StoreProgress(TJobStore &store, qint64 id, const QString &owner, TWorkerSignal *signal)
        : store_(store), id_(id), owner_(owner), signal_(signal)
    {
        timer_.start();
    }
    void SetPage(int page) override
    {
        page_ = page;
        Report(false);
    }
    void LabelPrinted(qint64 n) override
    {
        labels_ = n;
        Report(false);
    }
    bool Cancelled() const override { return cancelled_ || lost_ || signal_->Stopping(); }
    void Finish() override { Report(true); }
    bool CancelAsked() const { return cancelled_; }
    bool Lost() const { return lost_; }
    int Labels() const { return int(labels_); }
    int Page() const { return page_; }

private:
    void Report(bool force)
    {
        // Twice a second is enough for the clients and keeps the lease fresh.
        if (!force && timer_.elapsed() < 500)
            return;
        timer_.restart();
        switch (store_.Progress(id_, owner_, int(labels_), page_)) {
        case TJobProgress::Continue:
        case TJobProgress::Error:
            break;
        case TJobProgress::CancelRequested:
            cancelled_ = true;
            break;
        case TJobProgress::NotOwner:
            lost_ = true;
            break;
        }
    }
    TJobStore &store_;
    qint64 id_;
    QString owner_;
    TWorkerSignal *signal_;
    QElapsedTimer timer_;
    qint64 labels_ = 0;
    int page_ = 0;
    bool cancelled_ = false, lost_ = false;
};

// A printer whose document is named after the service job, so the spooler's
// job can be found again after a crash.
class NamedDevice : public TPrinterDevice {
public:
    NamedDevice(TPrinterDevice &device, QString name) : device_(device), name_(std::move(name)) {}
    QString Name() const override { return device_.Name(); }
    bool Metrics(TPrinterMetrics &m) override { return device_.Metrics(m); }
    bool Begin(const QString &docTitle, QString *error) override { return device_.Begin(name_ + docTitle, error); }
    QPainter *Painter() override { return device_.Painter(); }
    bool NewPage() override { return device_.NewPage(); }
    bool End(QString *error) override { return device_.End(error); }
    void Abort() override { device_.Abort(); }
    bool SetRollPage(const QSizeF &mm) override { return device_.SetRollPage(mm); }

private:
    TPrinterDevice &device_;
    QString name_;
};

// The jobs this worker left printing that already reached the spooler are
// done: printing them again would print them twice. One cancelled meanwhile
// is withdrawn from the spooler; Recover then ends it as cancelled.
void finishSpooled(TJobStore &store, const QString &owner, const TPrinterJobFinder &findJob,
                   const TPrinterJobCanceller &cancelJob)
{
    QString error;
    const QList<TJob> printing = store.List(TJobState::Printing, TJobStore::MaxList, &error);
    if (!error.isEmpty())
        logLine(error);
    for (const TJob &job : printing) {
        if (job.Owner != owner)
            continue;
        TJobRequest req;
        TRequestProblem problem;
        if (!ParseJobRequest(job.Body, TRequestLimits(), &req, &problem) || req.Printer.isEmpty())
            continue;
        // Started is when a worker first took it: its spooler job is no older.
        const QString printerJob =
            findJob(req.Printer, job.PrinterJob, PrinterJobName(job.Id), job.Started.addSecs(-1));
        if (printerJob.isEmpty())
            continue;
        if (job.CancelRequested) {
            if (cancelJob)
                cancelJob(req.Printer, printerJob);
            continue;
        }
        store.Progress(job.Id, owner, job.LabelsTotal, job.Pages);
        if (!store.Finish(job.Id, owner, TJobState::Done, QString(), printerJob, &error))
            logLine(error);
    }
}

} // namespace

QString PrinterJobName(qint64 id)
{
    return QStringLiteral("quorvane-job-%1 ").arg(id);
}

TPrintWorker::TPrintWorker(QString stateDir, QString labelsDir, QString owner, TPrinterFactory printers,
                           TWorkerSignal *signal, TPrinterJobFinder findJob, TPrinterJobCanceller cancelJob)
    : stateDir_(std::move(stateDir)), labelsDir_(std::move(labelsDir)), owner_(std::move(owner)),
      printers_(std::move(printers)), findJob_(std::move(findJob)), cancelJob_(std::move(cancelJob)),
      signal_(signal)
{
}

void TPrintWorker::run()
{
    TJobStore store;
    QString error;
    if (!store.Open(TStoreLocation{stateDir_, queueUrl_}, &error)) {
        logLine(error);
        return;
    }
    if (findJob_)
        finishSpooled(store, owner_, findJob_, cancelJob_);
    if (store.Recover(owner_, &error) < 0)
        logLine(error);
    QDir().mkpath(QDir(stateDir_).filePath(QStringLiteral("pdf")));
    while (!signal_->Stopping()) {
        std::optional<TJob> job = store.Take(owner_, LeaseSeconds, &error);
        if (!job) {
            if (!error.isEmpty())
                logLine(error);
            signal_->Wait(PollMsecs);
            continue;
        }
        const auto fail = [&](const QString &message) {
            if (!store.Finish(job->Id, owner_, TJobState::Failed, message, QString(), &error))
                logLine(error);
        };
        TJobRequest req;
        TRequestProblem problem;
        if (!ParseJobRequest(job->Body, TRequestLimits(), &req, &problem)) {
            fail(problem.Message);
            continue;
        }
        // Its worker died (on another server, perhaps) after the spooler
        // may have taken it: sending it again would print it twice.
        if (job->Retaken && findJob_ && !req.Printer.isEmpty()) {
            const QString printerJob =
                findJob_(req.Printer, job->PrinterJob, PrinterJobName(job->Id), job->Started.addSecs(-1));
            if (!printerJob.isEmpty()) {
                store.Progress(job->Id, owner_, job->LabelsTotal, job->Pages);
                if (!store.Finish(job->Id, owner_, TJobState::Done, QString(), printerJob, &error))
                    logLine(error);
                continue;
            }
        }
        TItemContainer items;
        if (!LoadServiceLabel(labelsDir_, req.Label, items, &error)) {
            fail(error);
            continue;
        }
        TPrintChoices choices;
        choices.Copies = req.Copies;
        choices.Answers = req.Values;
        choices.LabelFile = req.Label;
        const QString sourceName = QCoreApplication::translate("Service", "job %1").arg(job->Id);
        if (!req.Records.isEmpty() && HasImportedField(items.Items)) {
            choices.RangeKind = rkAll;
            choices.DataFile = sourceName;
        } else {
            // A label that reads no column prints a label a record all the
            // same (as labels_total promised), each copy counted.
            choices.RangeKind = rkLabels;
            choices.LabelCount = qMax<qsizetype>(1, req.Records.size()) * req.Copies;
        }
        const TSourceOpener open = [&](const TSourceChoice &, QString *) {
            return OpenMemorySource(req.Columns, req.Records, sourceName);
        };
        TPrinterOutput output;
        if (req.Printer.isEmpty()) {
            output.Device = std::make_unique<TPdfPrinterDevice>(TJobService::PdfFile(stateDir_, job->Id));
        } else {
            output = printers_ ? printers_(req.Printer, &error) : TPrinterOutput();
            if (!output.Device) {
                fail(error);
                continue;
            }
            // The printer's own correction, as the command line applies it.
            choices.Calibration = LoadCalibration(req.Printer);
        }
        StoreProgress progress(store, job->Id, owner_, signal_);
        QString message;
        TPrintStats stats;
        NamedDevice device(*output.Device, PrinterJobName(job->Id));
        const TPrintResult result = PrintLabels(items, choices, device, &progress, &message, &stats, open);
        if (progress.Lost())
            continue; // another worker has it now
        TJobState state = TJobState::Done;
        if (result == TPrintResult::Cancelled) {
            if (!progress.CancelAsked()) {
                // The server stops: the job goes back to the queue for the next start.
                store.Recover(owner_, &error);
                break;
            }
            state = TJobState::Cancelled;
        } else if (result != TPrintResult::Printed) {
            state = TJobState::Failed;
        }
        // A cancel that came while the document went to the spooler still
        // holds: the spooler's job is withdrawn there.
        if (store.Progress(job->Id, owner_, int(stats.LabelsPrinted), stats.PagesPrinted)
                == TJobProgress::CancelRequested
            && state == TJobState::Done) {
            if (output.Cancel)
                output.Cancel();
            state = TJobState::Cancelled;
        }
        if (state == TJobState::Done && req.Printer.isEmpty() && store.Shared()) {
            // The other servers hand it out from the store.
            QFile pdf(TJobService::PdfFile(stateDir_, job->Id));
            QString why;
            if (!pdf.open(QIODevice::ReadOnly))
                why = QCoreApplication::translate("Service", "Cannot read the file %1.").arg(pdf.fileName());
            else
                store.PutPdf(job->Id, pdf.readAll(), &why);
            if (!why.isEmpty()) {
                state = TJobState::Failed;
                message = why;
            }
        }
        // Once per job, as the command line says it: every label lacks it.
        if (state == TJobState::Done && message.isEmpty() && !stats.MissingPictures.isEmpty())
            message = QCoreApplication::translate("Service", "every label: no picture: %1 cannot be read")
                          .arg(stats.MissingPictures.join(QStringLiteral(", ")));
        const QString printerJob = state == TJobState::Done && output.JobId ? output.JobId() : QString();
        if (!store.Finish(job->Id, owner_, state, message, printerJob, &error))
            logLine(error);
    }
}
