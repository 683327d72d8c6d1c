#include "app/fprintpreview.h"

#include "app/dialogkit.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
// Zoom choices after the two fitting ones, in per cent of the paper's size.
constexpr int kZooms[] = {50, 75, 100, 150, 200, 300, 400};
enum { kFitPage = 0, kFitWidth = 1 };

QToolButton *makeNavButton(QWidget *parent, const char *name, const QString &caption, const QString &hint,
                           const QKeySequence &key)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setToolTip(hint);
    b->setShortcut(key);
    b->setAutoRaise(true);
    return b;
}
} // namespace

TFPrintPreview::TFPrintPreview(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FPrintPreview"));
    setWindowTitle(tr("打印预览"));
    setFont(DialogFont());
    setSizeGripEnabled(true);

    FirstBtn = makeNavButton(this, "FirstBtn", QStringLiteral("|◀"), tr("第一页"), Qt::CTRL | Qt::Key_Home);
    PrevBtn = makeNavButton(this, "PrevBtn", QStringLiteral("◀"), tr("上一页"), Qt::Key_PageUp);
    ePage = new QSpinBox(this);
    ePage->setObjectName(QStringLiteral("ePage"));
    ePage->setMinimum(1);
    ePage->setKeyboardTracking(false);
    lPageCount = MakeLabel(this, "lPageCount", QString());
    NextBtn = makeNavButton(this, "NextBtn", QStringLiteral("▶"), tr("下一页"), Qt::Key_PageDown);
    LastBtn = makeNavButton(this, "LastBtn", QStringLiteral("▶|"), tr("最后一页"), Qt::CTRL | Qt::Key_End);
    cbZoom = new QComboBox(this);
    cbZoom->setObjectName(QStringLiteral("cbZoom"));
    cbZoom->addItem(tr("适合页面"));
    cbZoom->addItem(tr("适合宽度"));
    for (int z : kZooms)
        cbZoom->addItem(QStringLiteral("%1%").arg(z), z);
    lLabelsPerPage = MakeLabel(this, "lLabelsPerPage", QString());
    PrintBtn = MakeButton(this, "PrintBtn", tr("打印(&P)"), true);
    CloseBtn = MakeButton(this, "CloseBtn", tr("关闭"));

    PageView = new QLabel;
    PageView->setObjectName(QStringLiteral("PageView"));
    PageView->setAlignment(Qt::AlignCenter);
    PageArea = new QScrollArea(this);
    PageArea->setObjectName(QStringLiteral("PageArea"));
    PageArea->setAlignment(Qt::AlignCenter);
    PageArea->setBackgroundRole(QPalette::Dark);
    PageArea->setWidget(PageView);
    PageArea->setWidgetResizable(true);

    auto *bar = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(FirstBtn), static_cast<QWidget *>(PrevBtn),
                       static_cast<QWidget *>(ePage), static_cast<QWidget *>(lPageCount),
                       static_cast<QWidget *>(NextBtn), static_cast<QWidget *>(LastBtn)})
        bar->addWidget(w);
    bar->addSpacing(12);
    bar->addWidget(cbZoom);
    bar->addSpacing(12);
    bar->addWidget(lLabelsPerPage);
    bar->addStretch();
    bar->addWidget(PrintBtn);
    bar->addWidget(CloseBtn);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(bar);
    outer->addWidget(PageArea, 1);
    // Tall enough for a page at a readable size, within the screen.
    const QSize room = screen() ? screen()->availableGeometry().size() * 9 / 10 : QSize(720, 820);
    resize(qMin(720, room.width()), qMin(820, room.height()));

    connect(FirstBtn, &QToolButton::clicked, this, [this] { ShowPage(0); });
    connect(PrevBtn, &QToolButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(NextBtn, &QToolButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(LastBtn, &QToolButton::clicked, this, [this] { ShowPage(job_ ? job_->PageCount() - 1 : 0); });
    connect(ePage, &QSpinBox::valueChanged, this, [this](int v) { ShowPage(v - 1); });
    connect(cbZoom, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(PrintBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    PageArea->installEventFilter(this);
}

TFPrintPreview::~TFPrintPreview() = default;

bool TFPrintPreview::Load(const TItemContainer &label, const TPrintChoices &choices,
                          const TPrinterMetrics &metrics, QString *message)
{
    job_ = std::make_unique<TPrintPreview>(label, choices, metrics);
    if (job_->Open(message) != TPrintResult::Printed) {
        job_.reset();
        return false;
    }
    const int pages = job_->PageCount();
    {
        const QSignalBlocker block(ePage);
        ePage->setMaximum(qMax(1, pages));
    }
    lPageCount->setText(tr("共 %1 页").arg(pages));
    lLabelsPerPage->setText(tr("每页 %1 个标签，共 %2 个标签").arg(job_->LabelsPerPage()).arg(job_->LabelCount()));
    page_ = -1;
    ShowPage(0);
    return true;
}

bool TFPrintPreview::Execute(const TItemContainer &label, const TPrintChoices &choices,
                             const TPrinterMetrics &metrics)
{
    QString message;
    if (!Load(label, choices, metrics, &message)) {
        DialogMessage(parentWidget(), message);
        return false;
    }
    CenterOver(this, CentreOver);
    const bool print = exec() == QDialog::Accepted;
    job_.reset(); // closes the data source
    PageView->clear();
    return print;
}

void TFPrintPreview::ShowPage(int n)
{
    if (!job_)
        return;
    n = qBound(0, n, qMax(0, job_->PageCount() - 1));
    if (n == page_)
        return;
    page_ = n;
    {
        const QSignalBlocker block(ePage);
        ePage->setValue(n + 1);
    }
    const bool last = n + 1 >= job_->PageCount();
    FirstBtn->setEnabled(n > 0);
    PrevBtn->setEnabled(n > 0);
    NextBtn->setEnabled(!last);
    LastBtn->setEnabled(!last);
    Redraw();
}

double TFPrintPreview::Scale() const
{
    if (!job_)
        return 1.0;
    const TPrinterMetrics &m = job_->Metrics();
    const int zoom = cbZoom->currentIndex();
    // Room inside the scroll area's frame, whether or not the scroll bars of
    // the page drawn before are showing, leaving a margin round the paper and
    // space for the vertical scroll bar that a fitting width still needs.
    const QSize room = PageArea->contentsRect().size() - QSize(16, 16);
    const double fitWidth = double(room.width() - (zoom == kFitWidth ? PageArea->verticalScrollBar()->sizeHint().width() : 0)) /
                            m.PaperWidth;
    if (zoom == kFitPage)
        return qMax(0.01, qMin(fitWidth, double(room.height()) / m.PaperHeight));
    if (zoom == kFitWidth)
        return qMax(0.01, fitWidth);
    return cbZoom->currentData().toInt() / 100.0 * logicalDpiX() / m.DpiX;
}

void TFPrintPreview::Redraw()
{
    if (!job_ || page_ < 0)
        return;
    QString message;
    // Reduced pages are drawn at twice the size and smoothed down: hairlines
    // and one-pixel bars would otherwise come and go with their position.
    // Large views are sharp enough without, and would cost too much with it.
    const double scale = Scale();
    drawnScale_ = scale;
    const TPrinterMetrics &m = job_->Metrics();
    const double doubled = 4.0 * scale * scale * m.PaperWidth * m.PaperHeight;
    const double drawn = scale < 1.0 && doubled <= 8e6 ? 2 * scale : scale;
    QImage image = job_->RenderPage(page_, drawn, &message);
    if (image.isNull()) {
        PageView->setText(message);
        return;
    }
    if (drawn != scale) {
        image = image.scaled(qMax(1, int(std::ceil(m.PaperWidth * scale))), qMax(1, int(std::ceil(m.PaperHeight * scale))),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    PageView->setPixmap(QPixmap::fromImage(image));
}

bool TFPrintPreview::eventFilter(QObject *watched, QEvent *event)
{
    // The page area gets its size only when the window is laid out, after the
    // first page was drawn; a fitting zoom follows it from then on.
    if (watched == PageArea && event->type() == QEvent::Resize
        && (cbZoom->currentIndex() == kFitPage || cbZoom->currentIndex() == kFitWidth) && Scale() != drawnScale_)
        Redraw();
    return QDialog::eventFilter(watched, event);
}
