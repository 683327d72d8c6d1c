// Two print jobs at once in one process, each with its own label, format,
// design resolution and printer: a sheet of merged shipping labels at 300 dpi
// and a roll job of a varied label at 203 dpi designed at 120 dpi. Run on two
// threads many times over, every page must be the page the job gives alone;
// anything the jobs shared would show as a stray page (and, under
// ThreadSanitizer, as a race). QV_CONCURRENT_ROUNDS sets the rounds.

#include "printing/printengine.h"
#include "printing/printpreview.h"
#include "storage/document.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>
#include <thread>

namespace {

QString Source(const QString &rel)
{
    return QDir(qEnvironmentVariable("QV_SOURCE_DIR", QStringLiteral("."))).filePath(rel);
}

QByteArray Digest(const QImage &page)
{
    const QImage image = page.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
    for (int y = 0; y < image.height(); ++y)
        h.addData(QByteArrayView(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4));
    return h.result().toHex().left(24);
}

struct Job {
    const char *label;
    const char *data; // CSV with a header, or null
    int printerDpi, designDpi;
    bool roll;
};

// The job from the file to its pages' checksums; empty when it failed.
QList<QByteArray> RunJob(const Job &job)
{
    TItemContainer items;
    items.ScreenDpiX = items.ScreenDpiY = job.designDpi;
    TLabelDocument doc(items);
    if (!doc.LoadLabelFile(Source(QString::fromLatin1(job.label))))
        return {};
    TPrintChoices choices;
    choices.Roll = job.roll;
    choices.PageCount = 2;
    if (job.data) {
        choices.DataFile = Source(QString::fromLatin1(job.data));
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = true;
        choices.RangeKind = rkAll;
    }
    TPrinterMetrics letter;
    letter.DpiX = letter.DpiY = job.printerDpi;
    letter.PaperWidth = job.printerDpi * 85 / 10;
    letter.PaperHeight = job.printerDpi * 11;
    letter.OffsetX = letter.OffsetY = letter.RightMargin = letter.BottomMargin = job.printerDpi / 4;
    TPreviewDevice device(letter);
    QString message;
    if (PrintLabels(items, choices, device, nullptr, &message) != TPrintResult::Printed)
        return {};
    QList<QByteArray> pages;
    for (const QImage &page : device.Pages())
        pages << Digest(page);
    return pages;
}

} // namespace

TEST(Concurrent, TwoJobsAtOnceGiveThePagesEachGivesAlone)
{
    const Job jobs[] = {
        {"examples/shipping.lbl", "examples/addresses.csv", 300, 96, false},
        {"tests/printing/golden/variety.lbl", nullptr, 203, 120, true},
    };
    const int rounds = qEnvironmentVariableIsSet("QV_CONCURRENT_ROUNDS")
                           ? qMax(1, qEnvironmentVariableIntValue("QV_CONCURRENT_ROUNDS"))
                           : 20;
    QList<QByteArray> alone[2];
    for (int i = 0; i < 2; ++i) {
        alone[i] = RunJob(jobs[i]);
        ASSERT_FALSE(alone[i].isEmpty()) << jobs[i].label;
    }
    ASSERT_NE(alone[0], alone[1]);

    int mismatches[2] = {0, 0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i)
        threads.emplace_back([&, i] {
            for (int r = 0; r < rounds; ++r)
                mismatches[i] += RunJob(jobs[i]) != alone[i];
        });
    for (std::thread &t : threads)
        t.join();
    EXPECT_EQ(mismatches[0], 0) << jobs[0].label;
    EXPECT_EQ(mismatches[1], 0) << jobs[1].label;
}
