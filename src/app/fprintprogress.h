#pragma once
// The small window shown while a print job runs: document, printer, page,
// with the number of pages when known, a bar, and the cancel button.

#include "printing/printengine.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class TFPrintProgress : public QWidget, public TPrintProgressSink {
    Q_OBJECT
public:
    // A top-level window: give it no parent that is disabled during a job.
    explicit TFPrintProgress(QWidget *parent = nullptr);

    void SetDocName(const QString &s) override;
    void SetPrinterName(const QString &s) override;
    // Before StartProgress: the page reads "第 350 页，共 4167 页" and the bar
    // counts pages.
    void SetPagesTotal(qint64 pages) override;
    void StartProgress(qint64 totalLabels) override;
    // Shows the page and lets pending events run, so that a click on the
    // cancel button is seen.
    void SetPage(int page) override;
    void LabelPrinted(qint64 labelsPrinted) override;
    bool Cancelled() const override { return cancelled_; }
    void Finish() override;

    int PageNumber = 0;
    void CancelBtnClick();

    QLabel *Label1, *LDocName, *Label3, *LPrinterName, *LPage;
    QProgressBar *Bar;
    QPushButton *CancelBtn;

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void FitSize();
    void ShowDone(qint64 done);

    bool cancelled_ = false;
    bool running_ = false;
    qint64 pagesTotal_ = -1;
};
