#pragma once
// The print preview window: the job's pages as the print engine draws them,
// one page in view at a time, with page navigation and zoom; 打印 closes it
// with the wish to print the same job.

#include "printing/printpreview.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

class TFPrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TFPrintPreview(QWidget *parent);
    ~TFPrintPreview() override;

    // Opens the job's preview on the printer's measurements; a job that
    // prints nothing shows why instead. True when 打印 was chosen.
    bool Execute(const TItemContainer &label, const TPrintChoices &choices, const TPrinterMetrics &metrics);
    // Prepares the window without showing it (Execute shows it); false with
    // *message as Execute would show it.
    bool Load(const TItemContainer &label, const TPrintChoices &choices, const TPrinterMetrics &metrics,
              QString *message);

    // Page n from 0, clamped to the job's pages.
    void ShowPage(int n);
    int CurrentPage() const { return page_; }
    // Printer pixels to window pixels for the zoom chosen.
    double Scale() const;
    const TPrintPreview *Job() const { return job_.get(); }
    // Execute shows the window centred over this one, when set.
    const QWidget *CentreOver = nullptr;

    QToolButton *FirstBtn, *PrevBtn, *NextBtn, *LastBtn;
    QSpinBox *ePage;
    QLabel *lPageCount, *lLabelsPerPage;
    QComboBox *cbZoom;
    QPushButton *PrintBtn, *CloseBtn;
    QScrollArea *PageArea;
    QLabel *PageView;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Redraw();

    std::unique_ptr<TPrintPreview> job_;
    int page_ = 0;
    double drawnScale_ = 0; // of the page in view
};
