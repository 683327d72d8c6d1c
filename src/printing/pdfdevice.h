#pragma once
// A printer that writes a PDF file: the whole page is printable (no
// unprintable strips), device pixels at the chosen resolution. The file is
// written under a temporary name and renamed only when the job ends well, so
// a failed or aborted job leaves nothing behind.

#include "printing/printengine.h"

#include <QPageSize>
#include <memory>

class TPdfPrinterDevice : public TPrinterDevice {
public:
    explicit TPdfPrinterDevice(const QString &fileName, const QPageSize &paper = QPageSize(QPageSize::A4),
                               int dpi = 600);
    ~TPdfPrinterDevice() override;

    QString Name() const override;
    bool Metrics(TPrinterMetrics &m) override;
    bool Begin(const QString &docTitle, QString *error) override;
    QPainter *Painter() override;
    bool NewPage() override;
    bool End(QString *error) override;
    void Abort() override;
    // The roll page replaces the paper.
    bool SetRollPage(const QSizeF &mm) override;

    int Pages() const { return pages_; }

    // "A4", "Letter" (any case) or "WxHmm" such as "100x150mm"; false for
    // anything else or a size that is not positive.
    static bool ParsePaper(const QString &text, QPageSize &paper);
    // The paper of the system's locale: Letter in the US, A4 elsewhere.
    static QPageSize LocalePaper();

private:
    struct Private;
    std::unique_ptr<Private> d;
    int pages_ = 0;
};
