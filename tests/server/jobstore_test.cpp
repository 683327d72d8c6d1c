#include "server/jobstore.h"
#include "server/service.h"

#include "data/sqlsource.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <csignal>
#include <functional>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// QV_TEST_QUEUE=postgresql://...: the cases on a Store run on that database
// instead (tests/server/server_queue_test.sh sets it), each on empty tables.
QString testQueue()
{
    return qEnvironmentVariable("QV_TEST_QUEUE");
}

// A second connection to a store's database (or the test queue's), to set
// rows up as no method of the store would.
QSqlDatabase rawConnection(const QString &file, const QString &name)
{
    TSqlConnection c;
    QString error;
    if (testQueue().isEmpty() || !ParseSqlUrl(testQueue(), c, &error)) {
        c.Driver = QStringLiteral("QSQLITE");
        c.Database = file;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(c.Driver, name);
    db.setHostName(c.Host);
    db.setDatabaseName(c.Database);
    db.setUserName(c.User);
    if (db.open()) {
        QSqlQuery q(db);
        if (c.Driver == QLatin1String("QPSQL"))
            q.exec(QStringLiteral("SET client_min_messages = warning"));
    }
    return db;
}

void emptyQueue()
{
    {
        QSqlDatabase db = rawConnection({}, QStringLiteral("empty-queue"));
        ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(QStringLiteral("DROP TABLE IF EXISTS jobs, job_pdfs"))) << q.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("empty-queue"));
}

struct Store {
    QTemporaryDir dir;
    TJobStore jobs;
    Store()
    {
        if (!testQueue().isEmpty())
            emptyQueue();
        QString error;
        EXPECT_TRUE(jobs.Open(TStoreLocation{dir.path(), testQueue()}, &error)) << error.toStdString();
    }
    qint64 add(const char *body, const QString &key = {})
    {
        TJob job;
        bool existing = false;
        QString error;
        EXPECT_TRUE(jobs.Add(body, key, QStringLiteral("标题"), job, existing, &error)) << error.toStdString();
        return job.Id;
    }
    TJobState state(qint64 id) { return jobs.Get(id).value_or(TJob{}).State; }
};

// A lease of 0 s lapses at once, but only once the clock has moved on.
void letLeaseLapse()
{
    QThread::msleep(3);
}

} // namespace

TEST(JobStore, CancelDependsOnTheJobsState)
{
    struct Case {
        const char *what;
        std::function<qint64(Store &)> make;
        TJobCancel result;
        TJobState after;
    };
    const QString w = QStringLiteral("worker");
    const Case cases[] = {
        {"queued", [](Store &s) { return s.add("a"); }, TJobCancel::Cancelled, TJobState::Cancelled},
        {"printing",
         [&](Store &s) {
             s.add("a");
             return s.jobs.Take(w, 60)->Id;
         },
         TJobCancel::Requested, TJobState::Printing},
        {"done",
         [&](Store &s) {
             const qint64 id = s.add("a");
             s.jobs.Take(w, 60);
             EXPECT_TRUE(s.jobs.Finish(id, w, TJobState::Done, {}, QStringLiteral("lp-7")));
             return id;
         },
         TJobCancel::Refused, TJobState::Done},
        {"failed",
         [&](Store &s) {
             const qint64 id = s.add("a");
             s.jobs.Take(w, 60);
             EXPECT_TRUE(s.jobs.Finish(id, w, TJobState::Failed, QStringLiteral("no paper"), {}));
             return id;
         },
         TJobCancel::Refused, TJobState::Failed},
        {"cancelled",
         [](Store &s) {
             const qint64 id = s.add("a");
             s.jobs.Cancel(id);
             return id;
         },
         TJobCancel::Refused, TJobState::Cancelled},
        {"unknown", [](Store &) { return qint64(42); }, TJobCancel::NotFound, TJobState::Queued},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Store s;
        const qint64 id = c.make(s);
        QString error;
        EXPECT_EQ(s.jobs.Cancel(id, &error), c.result);
        EXPECT_EQ(s.state(id), c.after);
        EXPECT_EQ(error.isEmpty(), c.result == TJobCancel::Cancelled || c.result == TJobCancel::Requested);
    }
}

TEST(JobStore, WorkersTakeTheOldestAndLoseLapsedLeases)
{
    Store s;
    const QString a = QStringLiteral("a"), b = QStringLiteral("b");
    const qint64 first = s.add("1"), second = s.add("2"), third = s.add("3");

    // a's lease lapses: its job, older than the queued ones, goes to b.
    const auto taken = s.jobs.Take(a, 0);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->Id, first);
    EXPECT_FALSE(taken->Retaken);
    letLeaseLapse();
    const auto retaken = s.jobs.Take(b, 60);
    ASSERT_TRUE(retaken);
    EXPECT_EQ(retaken->Id, first);
    EXPECT_EQ(retaken->Owner, b);
    EXPECT_TRUE(retaken->Retaken); // the worker asks the spooler before printing it
    // Live leases keep their jobs; the next queued one comes next.
    EXPECT_EQ(s.jobs.Take(a, 60)->Id, second);
    EXPECT_EQ(s.jobs.Progress(first, a, 5, 1), TJobProgress::NotOwner);
    QString error;
    EXPECT_FALSE(s.jobs.Finish(first, a, TJobState::Done, {}, {}, &error));
    EXPECT_FALSE(error.isEmpty());

    EXPECT_EQ(s.jobs.Progress(first, b, 5, 1), TJobProgress::Continue);
    EXPECT_EQ(s.jobs.Cancel(first), TJobCancel::Requested);
    EXPECT_EQ(s.jobs.Progress(first, b, 6, 1), TJobProgress::CancelRequested);
    EXPECT_TRUE(s.jobs.Finish(first, b, TJobState::Cancelled, {}, {}));
    EXPECT_FALSE(s.jobs.Finish(first, b, TJobState::Done, {}, {}));

    // A job asked to stop whose worker vanished is cancelled, not retaken.
    EXPECT_EQ(s.jobs.Take(QStringLiteral("c"), 0)->Id, third);
    EXPECT_EQ(s.jobs.Cancel(third), TJobCancel::Requested);
    letLeaseLapse();
    error = QStringLiteral("x");
    EXPECT_FALSE(s.jobs.Take(a, 60, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(s.state(third), TJobState::Cancelled);

    const TJob done = *s.jobs.Get(first);
    EXPECT_EQ(done.LabelsPrinted, 6);
    EXPECT_TRUE(done.Started.isValid() && done.Finished.isValid() && done.Started <= done.Finished);
    EXPECT_TRUE(done.Finished.toString(Qt::ISODate).endsWith(u'Z')) << done.Finished.toString(Qt::ISODate).toStdString();

    // Newest first, filtered, bounded.
    QList<qint64> ids;
    for (const TJob &j : s.jobs.List(std::nullopt, 2))
        ids << j.Id;
    EXPECT_EQ(ids, (QList<qint64>{third, second}));
    ASSERT_EQ(s.jobs.List(TJobState::Printing, 5000).size(), 1);
    EXPECT_EQ(s.jobs.List(TJobState::Printing, 5000)[0].Id, second);
}

TEST(JobStore, RecoverRequeuesOnlyTheRestartedWorkersJobs)
{
    Store s;
    const QString a = QStringLiteral("a"), b = QStringLiteral("b");
    const qint64 mine = s.add("1"), stopped = s.add("2"), theirs = s.add("3");
    s.jobs.Take(a, 600);
    s.jobs.Take(a, 600);
    s.jobs.Take(b, 600);
    ASSERT_EQ(s.jobs.Cancel(stopped), TJobCancel::Requested);
    EXPECT_EQ(s.jobs.Recover(a), 2);
    EXPECT_EQ(s.state(mine), TJobState::Queued);
    EXPECT_TRUE(s.jobs.Get(mine)->Owner.isEmpty());
    EXPECT_EQ(s.state(stopped), TJobState::Cancelled);
    EXPECT_EQ(s.state(theirs), TJobState::Printing);
    EXPECT_EQ(s.jobs.Take(a, 600)->Id, mine);
    // A nameless worker would own what nobody owns.
    QString error;
    EXPECT_FALSE(s.jobs.Take({}, 600, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(JobStore, RefusesAFileOfANewerFormat)
{
    QTemporaryDir dir;
    QString error;
    {
        TJobStore store;
        ASSERT_TRUE(store.Open(dir.path(), &error)) << error.toStdString();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(dir.filePath(QStringLiteral("jobs.db")));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    TJobStore store;
    EXPECT_FALSE(store.Open(dir.path(), &error));
    EXPECT_TRUE(error.contains(QLatin1String("99"))) << error.toStdString();
    EXPECT_FALSE(store.IsOpen());
}

TEST(JobStore, AKeyAlreadyStoredReturnsTheFirstJob)
{
    struct Case {
        const char *what;
        QString firstKey, secondKey;
        bool same;
    };
    const Case cases[] = {
        {"same key", QStringLiteral("订单-1"), QStringLiteral("订单-1"), true},
        {"other key", QStringLiteral("订单-1"), QStringLiteral("订单-2"), false},
        {"no key", QString(), QString(), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Store s;
        TJob first, second;
        bool existing = true;
        QString error;
        ASSERT_TRUE(s.jobs.Add("{\"a\":1}", c.firstKey, QStringLiteral("一"), first, existing, &error, 12));
        EXPECT_FALSE(existing);
        ASSERT_TRUE(s.jobs.Add("{\"b\":2}", c.secondKey, QStringLiteral("二"), second, existing, &error));
        EXPECT_EQ(existing, c.same);
        EXPECT_EQ(second.Id == first.Id, c.same);
        EXPECT_EQ(second.Body, c.same ? QByteArray("{\"a\":1}") : QByteArray("{\"b\":2}"));
        EXPECT_EQ(s.jobs.List(std::nullopt, 10).size(), c.same ? 1 : 2);
        const TJob stored = *s.jobs.Get(first.Id);
        EXPECT_EQ(stored.Title, QStringLiteral("一"));
        EXPECT_EQ(stored.LabelsTotal, 12);
        EXPECT_EQ(stored.Accepted, first.Accepted);
    }
}

// A process adding jobs is killed mid-stream: every job it was told was
// stored is there, once, and the file is sound.
TEST(JobStore, AcceptedJobsSurviveAKill)
{
    QTemporaryDir dir;
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(out[0]);
        TJobStore store;
        if (!store.Open(dir.path(), nullptr))
            _exit(2);
        // Bounded, so the check below can list them all.
        for (int i = 0; i < 900; ++i) {
            TJob job;
            bool existing = false;
            if (!store.Add(QByteArray::number(i), QStringLiteral("k%1").arg(i), {}, job, existing, nullptr))
                _exit(3);
            const QByteArray line = QByteArray::number(i) + ' ' + QByteArray::number(job.Id) + '\n';
            if (write(out[1], line.constData(), line.size()) != line.size())
                _exit(4);
        }
        pause();
        _exit(0);
    }
    close(out[1]);
    QByteArray said;
    char buf[4096];
    auto readSome = [&](int timeoutMs) {
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            return false;
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n > 0)
            said.append(buf, n);
        return n > 0;
    };
    while (said.isEmpty() && readSome(10000)) {
    }
    ASSERT_FALSE(said.isEmpty()) << "the child stored nothing";
    QDeadlineTimer deadline(200);
    while (!deadline.hasExpired())
        readSome(int(deadline.remainingTime()));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    while (readSome(0)) {
    }
    close(out[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << WEXITSTATUS(status);

    TJobStore store;
    QString error;
    ASSERT_TRUE(store.Open(dir.path(), &error)) << error.toStdString();
    EXPECT_TRUE(store.CheckIntegrity(&error)) << error.toStdString();
    const QList<QByteArray> lines = said.split('\n');
    int told = 0;
    for (const QByteArray &line : lines) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() != 2)
            continue; // the last, empty one
        ++told;
        const auto job = store.Get(f[1].toLongLong());
        ASSERT_TRUE(job) << "job " << f[1].constData() << " was lost";
        EXPECT_EQ(job->Body, f[0]);
        EXPECT_EQ(job->State, TJobState::Queued);
    }
    // Stored once each: at most the one the child had no time to report.
    QSet<QByteArray> bodies;
    const QList<TJob> all = store.List(std::nullopt, TJobStore::MaxList);
    for (const TJob &j : all)
        bodies.insert(j.Body);
    EXPECT_EQ(bodies.size(), all.size());
    EXPECT_TRUE(all.size() == told || all.size() == told + 1) << all.size() << " stored, " << told << " told";
    // And the store goes on where it stopped.
    TJob next;
    bool existing = true;
    ASSERT_TRUE(store.Add("next", {}, {}, next, existing, &error)) << error.toStdString();
    EXPECT_GT(next.Id, all.isEmpty() ? 0 : all.first().Id);
}

TEST(JobStore, StatsCountEveryStateAndBucketDoneJobsUpToTheirBound)
{
    Store s;
    struct Row {
        const char *state;
        qint64 msecs; // from accepted to finished; -1 for not finished
        int printed;
    };
    // A job that took exactly a bound falls in that bound's bucket.
    const Row rows[] = {{"done", 100, 2}, {"done", 101, 1}, {"failed", 50, 1}, {"queued", -1, 0}};
    {
        QSqlDatabase db = rawConnection(s.jobs.FileName(), QStringLiteral("stats"));
        ASSERT_TRUE(db.isOpen());
        for (const Row &r : rows) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("UPDATE jobs SET state = ?, accepted = 1000, finished = ?, labels_printed = ? "
                                     "WHERE id = ?"));
            q.addBindValue(QString::fromLatin1(r.state));
            q.addBindValue(r.msecs < 0 ? QVariant(QMetaType(QMetaType::LongLong)) : QVariant(1000 + r.msecs));
            q.addBindValue(r.printed);
            q.addBindValue(s.add("a"));
            ASSERT_TRUE(q.exec());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("stats"));
    TJobStats stats;
    QString error;
    ASSERT_TRUE(s.jobs.Stats({50, 100, 1000}, stats, &error)) << error.toStdString();
    EXPECT_EQ(stats.ByState[int(TJobState::Queued)], 1);
    EXPECT_EQ(stats.ByState[int(TJobState::Printing)], 0);
    EXPECT_EQ(stats.ByState[int(TJobState::Done)], 2);
    EXPECT_EQ(stats.ByState[int(TJobState::Failed)], 1);
    EXPECT_EQ(stats.LabelsPrinted, 4);
    EXPECT_EQ(stats.WithinBound, (QList<qint64>{0, 1, 2}));
    EXPECT_EQ(stats.DoneCount, 2);
    EXPECT_EQ(stats.DoneMsecs, 201);
}

TEST(JobService, PdfsAreKeptForADayThenRemoved)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("pdf")));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // name, age in hours, kept
    const struct {
        const char *name;
        int hours;
        bool kept;
    } rows[] = {{"1.pdf", 25, false}, {"2.pdf", 23, true}, {"3.pdf.piece", 30, false}};
    for (const auto &row : rows) {
        QFile f(QDir(dir.path()).filePath(QStringLiteral("pdf/") + QLatin1String(row.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4");
        f.flush(); // a later flush would stamp the file anew
        ASSERT_TRUE(f.setFileTime(now.addSecs(-3600 * row.hours), QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(TJobService::RemoveOldPdfs(dir.path(), now.addSecs(-TJobService::PdfKeepSeconds)), 2);
    for (const auto &row : rows)
        EXPECT_EQ(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("pdf/") + QLatin1String(row.name))), row.kept)
            << row.name;
}
