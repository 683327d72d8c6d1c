#include "app/fprintprogress.h"

#include "app/dialogkit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TFPrintProgress::TFPrintProgress(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FPrintProgress"));
    setWindowTitle(tr("正在打印中..."));
    setFont(DialogFont());

    Label1 = MakeLabel(this, "Label1", tr("正打印"));
    LDocName = MakeLabel(this, "LDocName", QString());
    Label3 = MakeLabel(this, "Label3", tr("在"));
    LPrinterName = MakeLabel(this, "LPrinterName", QString());
    LPage = MakeLabel(this, "LPage", tr("页 1"));
    Bar = new QProgressBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setFixedHeight(12);
    Bar->setTextVisible(false);
    Bar->hide();
    CancelBtn = new QPushButton(tr("取消(&C)"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setFixedSize(75, 25);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 10, 8, 6);
    layout->setSpacing(2);
    for (QLabel *l : {Label1, LDocName, Label3, LPrinterName, LPage}) {
        l->setAlignment(Qt::AlignHCenter);
        layout->addWidget(l);
    }
    layout->addWidget(Bar);
    layout->addSpacing(4);
    layout->addWidget(CancelBtn, 0, Qt::AlignHCenter);
    FitSize();

    connect(CancelBtn, &QPushButton::clicked, this, &TFPrintProgress::CancelBtnClick);
}

void TFPrintProgress::FitSize()
{
    // At least the window's classic 228 x 119; a long name or the bar widens it.
    const QSize hint = layout()->sizeHint();
    setFixedSize(qMax(228, hint.width()), qMax(119, hint.height()));
}

void TFPrintProgress::SetDocName(const QString &s)
{
    LDocName->setText(s);
}

void TFPrintProgress::SetPrinterName(const QString &s)
{
    LPrinterName->setText(s);
}

void TFPrintProgress::SetPagesTotal(qint64 pages)
{
    pagesTotal_ = pages;
}

void TFPrintProgress::StartProgress(qint64 totalLabels)
{
    cancelled_ = false;
    running_ = true;
    setWindowTitle(QStringLiteral("Quorvane"));
    // The bar counts pages when their number is known, else labels; without
    // either it only shows that the job runs.
    const qint64 total = pagesTotal_ > 0 ? pagesTotal_ : totalLabels;
    if (total > 0) {
        // QProgressBar counts in int; scale very large jobs down.
        Bar->setRange(0, int(qMin<qint64>(total, 1000000)));
        Bar->setProperty("total", total);
    } else {
        Bar->setRange(0, 0);
        Bar->setProperty("total", 0);
    }
    Bar->setValue(0);
    Bar->show();
    FitSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        move(s.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    SetPage(1);
}

void TFPrintProgress::ShowDone(qint64 done)
{
    const qint64 total = Bar->property("total").toLongLong();
    if (total > 0)
        Bar->setValue(int(qMin(done, total) * Bar->maximum() / total));
}

void TFPrintProgress::SetPage(int page)
{
    PageNumber = page;
    if (pagesTotal_ > 0) {
        LPage->setText(tr("第 %1 页，共 %2 页").arg(page).arg(pagesTotal_));
        // The pages before this one are done.
        ShowDone(page - 1);
    } else {
        LPage->setText(tr("第 %1 页").arg(page));
    }
    QCoreApplication::processEvents();
}

void TFPrintProgress::LabelPrinted(qint64 labelsPrinted)
{
    if (pagesTotal_ <= 0)
        ShowDone(labelsPrinted);
}

void TFPrintProgress::Finish()
{
    running_ = false;
    pagesTotal_ = -1;
    hide();
}

void TFPrintProgress::CancelBtnClick()
{
    cancelled_ = true;
}

void TFPrintProgress::closeEvent(QCloseEvent *e)
{
    // Closing the window while a job runs means stopping it; the engine
    // hides the window when it has ended the document.
    if (running_) {
        cancelled_ = true;
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}
