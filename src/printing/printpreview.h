#pragma once
// Print preview: the job's pages drawn by the print engine one at a time, in
// any order, onto images at the printer's measurements. A page is reached
// without printing the pages before it: the data source's position at every
// page start is indexed in one reading (a source that cannot come back keeps
// its records instead), and counters are computed for the page.

#include "printing/printengine.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <functional>
#include <memory>
#include <vector>

// A printer whose pages are images of the whole paper: white, scale times
// the printer's pixels, the painter's origin at the printable area's corner
// as on the printer. The images keep the printer's resolution as their dots
// per inch, so text is measured as the printer measures it.
class TPreviewDevice : public TPrinterDevice {
public:
    explicit TPreviewDevice(const TPrinterMetrics &metrics, double scale = 1.0,
                            const QString &name = QStringLiteral("Preview"));
    ~TPreviewDevice() override;

    QString Name() const override { return name_; }
    bool Metrics(TPrinterMetrics &m) override;
    bool Begin(const QString &docTitle, QString *error) override;
    QPainter *Painter() override { return painter_.isActive() ? &painter_ : nullptr; }
    bool NewPage() override;
    bool End(QString *error) override;
    void Abort() override;

    const QList<QImage> &Pages() const { return pages_; }
    // A roll label's page: the paper becomes the page, all of it printable.
    bool SetRollPage(const QSizeF &mm) override;

private:
    void StartPage();

    TPrinterMetrics metrics_;
    double scale_;
    QString name_;
    QList<QImage> pages_;
    QPainter painter_;
};

class TPrintPreview {
public:
    // The items are copied: a preview never advances the label's counters.
    TPrintPreview(const TItemContainer &label, const TPrintChoices &choices, const TPrinterMetrics &metrics);
    ~TPrintPreview();
    TPrintPreview(const TPrintPreview &) = delete;
    TPrintPreview &operator=(const TPrintPreview &) = delete;

    // Lays out the sheet and reads the data source once. A job that would
    // print nothing gives PrintLabels' result and message; a source that fails
    // while being read gives DataError. Printed when there are pages to show.
    TPrintResult Open(QString *message);
    // How Open gets the job's data source; replaceable for tests.
    TSourceOpener OpenSource = OpenRecordSource;

    int PageCount() const { return pageCount_; }
    qint64 LabelsPerPage() const { return perPage_; }
    qint64 LabelCount() const { return labelCount_; }
    const TPrinterMetrics &Metrics() const { return metrics_; }
    const TSheetLayout &Layout() const { return layout_; }

    // Draws page n (from 0) through the engine on a painter whose origin is
    // the printable area's corner, in printer pixels; on the first page the
    // positions before the job's first label are hatched grey as used. False with *message when
    // the data source cannot be read there.
    bool DrawPage(int n, QPainter &painter, QString *message = nullptr);
    // Page n as an image of the whole paper at scale (1 = printer pixels); a
    // null image when it cannot be drawn.
    QImage RenderPage(int n, double scale, QString *message = nullptr);

private:
    struct TCounter {
        TSequenceField *Field;
        qint32 Start, Pending;
    };
    QList<TLabelControl *> items_; // owned copies
    std::vector<TCounter> counters_;
    TPrintChoices choices_;
    TPrinterMetrics metrics_;
    TLabelFormat format_;
    int screenDpiX_, screenDpiY_;
    TSheetLayout layout_;
    std::unique_ptr<TRecordSource> source_;
    std::unique_ptr<TRecordSource> cached_; // the kept records of a source that cannot seek
    std::vector<TPageStart> pageStarts_;
    TJobData data_;
    int copies_ = 1;
    int rangeKind_ = rkPages;
    qint64 perPage_ = 0;
    qint64 labelCount_ = 0;
    int pageCount_ = 0;
    int firstPage_ = 0; // from 0: the pages before a page range are not shown
    qint64 skip_ = 0; // positions of the first page used before the job
    // The job's label (from 0) that page n (of the whole job) begins with.
    qint64 PageFirstLabel(qint64 n) const { return n == 0 ? 0 : n * perPage_ - skip_; }
};
