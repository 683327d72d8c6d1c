#include "data/keyring.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

const QString kService = QStringLiteral("Quorvane");

// Runs the job in a local event loop. On a timeout the job is left to finish
// (and delete itself) on its own; nobody waits for it any more.
TKeyringResult RunJob(QKeychain::Job *job, QString *error, int timeoutMs)
{
    if (!QCoreApplication::instance()) {
        delete job;
        if (error)
            *error = QStringLiteral("the keyring cannot be reached without an application");
        return TKeyringResult::Unavailable;
    }
    job->setAutoDelete(false);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!finished)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        QObject::disconnect(job, nullptr, &loop, nullptr);
        QObject::connect(job, &QKeychain::Job::finished, job, &QObject::deleteLater);
        if (error)
            *error = QStringLiteral("the keyring did not answer within %1 seconds").arg(timeoutMs / 1000.0);
        return TKeyringResult::Unavailable;
    }
    const QKeychain::Error code = job->error();
    const QString text = job->errorString();
    job->deleteLater();
    if (code == QKeychain::NoError)
        return TKeyringResult::Done;
    if (code == QKeychain::EntryNotFound)
        return TKeyringResult::NotFound;
    if (error)
        *error = QStringLiteral("the keyring is not available: %1").arg(text);
    return TKeyringResult::Unavailable;
}

} // namespace

TKeyringResult ReadKeyringPassword(const QString &key, QString *password, QString *error, int timeoutMs)
{
    auto *job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(key);
    const TKeyringResult r = RunJob(job, error, timeoutMs);
    if (r == TKeyringResult::Done && password)
        *password = job->textData();
    return r;
}

TKeyringResult WriteKeyringPassword(const QString &key, const QString &password, QString *error, int timeoutMs)
{
    auto *job = new QKeychain::WritePasswordJob(kService);
    job->setKey(key);
    job->setTextData(password);
    return RunJob(job, error, timeoutMs);
}

TKeyringResult DeleteKeyringPassword(const QString &key, QString *error, int timeoutMs)
{
    auto *job = new QKeychain::DeletePasswordJob(kService);
    job->setKey(key);
    return RunJob(job, error, timeoutMs);
}
