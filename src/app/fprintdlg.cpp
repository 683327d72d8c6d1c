#include "app/fprintdlg.h"

#include "app/dialogkit.h"
#include "app/faskvalues.h"
#include "app/fprintpreview.h"
#include "app/fprintprogress.h"
#include "app/fsqlsource.h"
#include "app/ftextimport.h"
#include "model/items.h"
#include "model/labelformat.h"
#include "printing/qprinter_device.h"
#include "printing/sheetlayout.h"
#include "storage/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
bool jobRunning = false;

QRadioButton *makeRadio(QWidget *parent, const char *name, const QString &caption)
{
    auto *r = new QRadioButton(caption, parent);
    r->setObjectName(QLatin1String(name));
    return r;
}

int numberIn(const QLineEdit *e)
{
    bool ok = false;
    const int v = e->text().toInt(&ok);
    return ok && v > 0 ? v : 1;
}

// A folder is no data file.
bool fileExists(const QString &name)
{
    const QFileInfo fi(name);
    return fi.exists() && !fi.isDir();
}

QString notFoundMessage(const QString &name)
{
    return name + kMessageLineBreak + TFPrintDlg::tr("file does not exist!");
}

// "第 8 行" or "第 7–8 行" of the sheet's count: what the paper leaves off.
QString shortfallText(const TSheetShortfall &s)
{
    const auto lost = [](int held, int all) {
        return held + 1 == all ? QString::number(all) : QStringLiteral("%1–%2").arg(held + 1).arg(all);
    };
    QStringList parts;
    if (s.LosesRows())
        parts << TFPrintDlg::tr("纸张放不下第 %1 行（共 %2 行），只打印 %3 行")
                     .arg(lost(s.HeldRows, s.Rows))
                     .arg(s.Rows)
                     .arg(s.HeldRows);
    if (s.LosesColumns())
        parts << TFPrintDlg::tr("纸张放不下第 %1 列（共 %2 列），只打印 %3 列")
                     .arg(lost(s.HeldColumns, s.Columns))
                     .arg(s.Columns)
                     .arg(s.HeldColumns);
    return parts.join(TFPrintDlg::tr("；"));
}
} // namespace

TSheetGrid::TSheetGrid(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("gridFirstLabel"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("单击第一个未用的标签"));
}

void TSheetGrid::SetLayout(const TSheetLayout &layout)
{
    const TPrinterMetrics &m = layout.Metrics();
    paper_ = QSizeF(m.PaperWidth, m.PaperHeight);
    rects_.clear();
    // Positions are measured from the printable area's corner.
    for (const QPoint &p : layout.Positions())
        rects_.append(QRectF(p.x() + m.OffsetX, p.y() + m.OffsetY, layout.LabelWidthPx(), layout.LabelHeightPx()));
    first_ = qBound(1, first_, qMax(1, PositionCount()));
    update();
}

void TSheetGrid::SetFirst(int first)
{
    first = qBound(1, first, qMax(1, PositionCount()));
    if (first == first_)
        return;
    first_ = first;
    update();
}

QRectF TSheetGrid::Paper() const
{
    if (paper_.isEmpty())
        return {};
    const QRectF room = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double scale = qMin(room.width() / paper_.width(), room.height() / paper_.height());
    const QSizeF size = paper_ * scale;
    return QRectF(room.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

QRect TSheetGrid::PositionRect(int i) const
{
    const QRectF page = Paper();
    if (i < 0 || i >= rects_.size() || page.isEmpty())
        return {};
    const double scale = page.width() / paper_.width();
    const QRectF r = rects_[i];
    return QRectF(page.topLeft() + r.topLeft() * scale, r.size() * scale).toRect();
}

void TSheetGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRectF page = Paper();
    if (page.isEmpty())
        return;
    p.fillRect(page, Qt::white);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(page);
    for (int i = 0; i < PositionCount(); ++i) {
        const QRect r = PositionRect(i);
        if (i + 1 < first_) {
            p.fillRect(r, QColor(225, 225, 225));
            p.fillRect(r, QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
        }
        p.setPen(i + 1 == first_ ? QPen(palette().color(QPalette::Highlight), 2) : QPen(QColor(120, 120, 120)));
        p.drawRect(r);
    }
}

void TSheetGrid::mousePressEvent(QMouseEvent *event)
{
    for (int i = 0; i < PositionCount(); ++i) {
        if (PositionRect(i).contains(event->position().toPoint())) {
            SetFirst(i + 1);
            emit FirstChosen(first_);
            return;
        }
    }
}

void TFPrintDlg::BuildFirstLabelBox()
{
    gbFirstLabel = new QGroupBox(tr("从第几个标签开始"), this);
    gbFirstLabel->setObjectName(QStringLiteral("gbFirstLabel"));
    gridFirstLabel = new TSheetGrid(gbFirstLabel);
    spFirstLabel = new QSpinBox(gbFirstLabel);
    spFirstLabel->setObjectName(QStringLiteral("spFirstLabel"));
    spFirstLabel->setRange(1, 1);
    spFirstLabel->setToolTip(tr("第一页从这个位置开始，前面的位置已用过（从左上角起逐行数）"));
    auto *g = new QVBoxLayout(gbFirstLabel);
    g->addWidget(gridFirstLabel, 1);
    g->addWidget(spFirstLabel);
    connect(gridFirstLabel, &TSheetGrid::FirstChosen, spFirstLabel, &QSpinBox::setValue);
    connect(spFirstLabel, &QSpinBox::valueChanged, gridFirstLabel, &TSheetGrid::SetFirst);
}

TFPrintDlg::TFPrintDlg(QWidget *parent, TFTextImport *wizard, TFPrintProgress *progress)
    : QDialog(parent), wizard_(wizard), progress_(progress)
{
    setObjectName(QStringLiteral("FPrintDlg"));
    setWindowTitle(tr("打印选项"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());
    leave_ = new TLeaveWatcher(this);

    lColumns = MakeLabel(this, "lColumns", tr("列："));
    lRows = MakeLabel(this, "lRows", tr("行："));
    LLabels = MakeLabel(this, "LLabels", tr("每页标签数："));
    btnPrinterSetup = new QPushButton(tr("打印设置(&S)"), this);
    btnPrinterSetup->setObjectName(QStringLiteral("BitBtn3"));
    btnPrinterSetup->setAutoDefault(false);
    Label1 = MakeLabel(this, "Label1", tr("日期输入来自于"));
    eFile = MakeEdit(this, "eFile", QString(), 0);
    lRollMedia = MakeLabel(this, "lRollMedia", QString());
    lRollMedia->setWordWrap(true);
    lRollMedia->hide(); // shown for roll labels only
    lPaperShortfall = MakeLabel(this, "lPaperShortfall", QString());
    lPaperShortfall->setWordWrap(true);
    lPaperShortfall->setStyleSheet(QStringLiteral("color: #b00020"));
    lPaperShortfall->hide(); // shown when the paper is too small for the sheet
    // A label made for sheets printed one a page, as print --roll does.
    chkRoll = new QCheckBox(tr("按卷筒打印（每页一个标签，不含纸张边距）"), this);
    chkRoll->setObjectName(QStringLiteral("chkRoll"));
    btnCalibration = MakeButton(this, "btnCalibration", tr("校准(&B)"));
    BrowseBtn = new QPushButton(tr("浏览"), this);
    BrowseBtn->setObjectName(QStringLiteral("BrowseBtn"));
    BrowseBtn->setAutoDefault(false);

    GroupBox1 = new QGroupBox(tr("打印范围(&R)"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    rbAllRange = makeRadio(GroupBox1, "rbAllRange", tr("所有"));
    rbAllRange->setChecked(true);
    rbPageRange = makeRadio(GroupBox1, "rbPageRange", tr("页数"));
    ePages = MakeEdit(GroupBox1, "ePages", QStringLiteral("1"), 2);
    rbLabelRange = makeRadio(GroupBox1, "rbLabelRange", tr("标签"));
    eLabels = MakeEdit(GroupBox1, "eLabels", QStringLiteral("1"), 2);
    {
        auto *g = new QGridLayout(GroupBox1);
        g->addWidget(rbAllRange, 0, 0);
        g->addWidget(rbPageRange, 1, 0);
        g->addWidget(ePages, 1, 1);
        g->addWidget(rbLabelRange, 2, 0);
        g->addWidget(eLabels, 2, 1);
    }
    GroupBox2 = new QGroupBox(tr("份数"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    rbSingleLabel = makeRadio(GroupBox2, "rbSingleLabel", tr("单一标签"));
    rbSingleLabel->setChecked(true);
    rbMultipleLabel = makeRadio(GroupBox2, "rbMultipleLabel", tr("多个标签副本"));
    eCopies = MakeEdit(GroupBox2, "eCopies", QStringLiteral("2"), 2);
    {
        auto *g = new QGridLayout(GroupBox2);
        g->addWidget(rbSingleLabel, 0, 0, 1, 2);
        g->addWidget(rbMultipleLabel, 1, 0);
        g->addWidget(eCopies, 1, 1);
        g->setRowStretch(2, 1);
    }
    for (QLineEdit *e : {ePages, eLabels, eCopies})
        e->setFixedWidth(36);

    OkayBtn = MakeButton(this, "OkayBtn", tr("确定(&O)"), true);
    CancelBtn = MakeButton(this, "CancelBtn", tr("取消(&C)"));
    PreviewBtn = MakeButton(this, "PreviewBtn", tr("预览(&V)"));

    auto *layoutLine = new QHBoxLayout;
    layoutLine->addWidget(lColumns);
    layoutLine->addWidget(lRows);
    layoutLine->addWidget(LLabels);
    layoutLine->addStretch();
    layoutLine->addWidget(btnPrinterSetup);
    auto *fileLine = new QHBoxLayout;
    fileLine->addWidget(Label1);
    fileLine->addWidget(eFile, 1);
    fileLine->addWidget(BrowseBtn);
    rbFileSource = makeRadio(this, "rbFileSource", tr("文件"));
    rbFileSource->setChecked(true);
    fileLine->insertWidget(1, rbFileSource);
    rbSqlSource = makeRadio(this, "rbSqlSource", tr("数据库查询"));
    eSqlSource = MakeEdit(this, "eSqlSource", QString(), 0);
    eSqlSource->setReadOnly(true);
    SqlBtn = MakeButton(this, "SqlBtn", tr("查询..."));
    auto *sqlLine = new QHBoxLayout;
    sqlLine->addSpacing(Label1->sizeHint().width() + fileLine->spacing());
    sqlLine->addWidget(rbSqlSource);
    sqlLine->addWidget(eSqlSource, 1);
    sqlLine->addWidget(SqlBtn);
    chkQuantity = new QCheckBox(tr("按数据列打印数量"), this);
    chkQuantity->setObjectName(QStringLiteral("chkQuantity"));
    cbQuantityColumn = new QComboBox(this);
    cbQuantityColumn->setObjectName(QStringLiteral("cbQuantityColumn"));
    cbQuantityColumn->setEditable(true);
    cbQuantityColumn->setInsertPolicy(QComboBox::NoInsert);
    cbQuantityColumn->setMinimumWidth(140);
    cbQuantityColumn->setToolTip(tr("列名或列号（从 1 起）：每条记录打印该列所写的标签数"));
    auto *quantityLine = new QHBoxLayout;
    quantityLine->addSpacing(Label1->sizeHint().width() + fileLine->spacing());
    quantityLine->addWidget(chkQuantity);
    quantityLine->addWidget(cbQuantityColumn);
    quantityLine->addStretch();
    chkOutline = new QCheckBox(tr("打印标签轮廓"), this);
    chkOutline->setObjectName(QStringLiteral("chkOutline"));
    chkOutline->setToolTip(tr("沿每个标签的边缘（模切形状）画一条细线，用于对齐"));
    chkCropMarks = new QCheckBox(tr("打印裁切标记"), this);
    chkCropMarks->setObjectName(QStringLiteral("chkCropMarks"));
    chkCropMarks->setToolTip(tr("在标签角外的页边和间隙中画短线，不压在标签上"));
    chkMirror = new QCheckBox(tr("镜像打印"), this);
    chkMirror->setObjectName(QStringLiteral("chkMirror"));
    chkMirror->setToolTip(tr("整页左右翻转，用于转印纸"));
    auto *aidsLine = new QHBoxLayout;
    aidsLine->addWidget(chkOutline);
    aidsLine->addWidget(chkCropMarks);
    aidsLine->addWidget(chkMirror);
    aidsLine->addStretch();
    auto *groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    BuildFirstLabelBox();
    groups->addWidget(gbFirstLabel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnCalibration);
    buttons->addWidget(PreviewBtn);
    buttons->addStretch();
    buttons->addWidget(OkayBtn);
    buttons->addWidget(CancelBtn);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(layoutLine);
    outer->addWidget(chkRoll);
    outer->addWidget(lRollMedia);
    outer->addWidget(lPaperShortfall);
    outer->addLayout(fileLine);
    outer->addLayout(sqlLine);
    outer->addLayout(quantityLine);
    outer->addLayout(groups);
    outer->addLayout(aidsLine);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(360, 269);

    AddRangeControls();
    auto *digits = new TKeyFilter(this, QStringLiteral("0123456789"));
    for (QLineEdit *e : {ePages, eLabels, eCopies, eFirstPage, eFirstRecord}) {
        digits->Install(e);
        leave_->Watch(e, [this, e] { NumberExit(e); });
    }
    digits->Install(eLastRecord); // empty: to the last record
    leave_->Watch(eFile, [this] { eFileExit(); });

    ChooseDataFile = [](QWidget *parent) {
        QFileDialog dialog(parent);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        dialog.setNameFilters({tr("数据文件 (*.txt *.prn *.csv *.dat *.xlsx *.ods *.xls)"),
                               tr("Text Files (*.txt *.prn *.csv *.dat)"), tr("电子表格 (*.xlsx *.ods *.xls)")});
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };

    ChooseSqlSource = [this](QWidget *parent, QString *url, QString *query) {
        if (!sqlDialog_)
            sqlDialog_ = new TFSqlSource(parent);
        return sqlDialog_->Execute(url, query);
    };
    connect(SqlBtn, &QPushButton::clicked, this, &TFPrintDlg::SqlBtnClick);
    connect(btnPrinterSetup, &QPushButton::clicked, this, &TFPrintDlg::PrinterSetupClick);
    connect(btnCalibration, &QPushButton::clicked, this, &TFPrintDlg::CalibrationClick);
    connect(BrowseBtn, &QPushButton::clicked, this, &TFPrintDlg::BrowseBtnClick);
    connect(OkayBtn, &QPushButton::clicked, this, &TFPrintDlg::OkayBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PreviewBtn, &QPushButton::clicked, this, &TFPrintDlg::PreviewBtnClick);
    connect(eFile, &QLineEdit::textChanged, this, &TFPrintDlg::UpdateQuantityRow);
    connect(rbFileSource, &QRadioButton::toggled, this, &TFPrintDlg::UpdateQuantityRow);
    connect(chkQuantity, &QCheckBox::toggled, this, &TFPrintDlg::UpdateQuantityRow);
    connect(chkRoll, &QCheckBox::toggled, this, [this] {
        UpdateLayoutCaptions();
        layout()->activate(); // the captions' new length sizes the dialog now
    });
    UpdateQuantityRow();
}

bool TFPrintDlg::JobRunning()
{
    return jobRunning;
}

void TFPrintDlg::ReadPrinterMetrics()
{
    if (TPrinterMetrics m; PrinterMetrics && PrinterMetrics(m))
        metrics_ = m;
}

bool TFPrintDlg::Execute(TItemContainer &label)
{
    label_ = &label;
    dataEncoding_ = label.DataEncoding;
    answers_.clear();
    ReadPrinterMetrics();
    UpdateLayoutCaptions();
    const bool imported = HasImportedField(label.Items);
    imported_ = imported;
    UpdateQuantityRow();
    for (QWidget *w : {static_cast<QWidget *>(eFile), static_cast<QWidget *>(BrowseBtn),
                       static_cast<QWidget *>(rbAllRange)})
        w->setEnabled(imported);
    for (QWidget *w : std::initializer_list<QWidget *>{rbFileSource, rbSqlSource, eSqlSource, SqlBtn})
        w->setEnabled(imported);
    if (imported)
        rbAllRange->setChecked(true);
    else if (rbAllRange->isChecked())
        rbPageRange->setChecked(true);
    const bool accepted = exec() == QDialog::Accepted;
    if (!accepted) {
        label_ = nullptr;
        device_.reset();
        return false;
    }
    RunJob(label);
    label_ = nullptr;
    return true;
}

bool TFPrintDlg::Preview(TItemContainer &label)
{
    label_ = &label;
    dataEncoding_ = label.DataEncoding;
    answers_.clear();
    const bool printed = AskValues() && ShowPreview(label) && RunJob(label);
    label_ = nullptr;
    return printed;
}

bool TFPrintDlg::ShowPreview(TItemContainer &label)
{
    // The preview lays the pages out for the printer the job would print on.
    ReadPrinterMetrics();
    UpdateLayoutCaptions();
    TFPrintPreview preview(this);
    preview.setWindowModality(Qt::ApplicationModal);
    preview.CentreOver = isVisible() ? this : parentWidget();
    return preview.Execute(label, Choices(), metrics_);
}

void TFPrintDlg::PreviewBtnClick()
{
    if (label_ && ChoicesReady() && AskValues() && ShowPreview(*label_) && TakeDevice())
        accept();
}

TPrintChoices TFPrintDlg::Choices() const
{
    TPrintChoices c;
    c.Copies = rbSingleLabel->isChecked() ? 1 : numberIn(eCopies);
    c.RangeKind = rbAllRange->isChecked() ? rkAll : rbPageRange->isChecked() ? rkPages : rkLabels;
    c.PageCount = numberIn(ePages);
    c.LabelCount = numberIn(eLabels);
    c.FirstPage = c.RangeKind == rkPages ? numberIn(eFirstPage) : 1;
    if (chkRecords->isEnabled() && chkRecords->isChecked()) {
        c.FirstRecord = numberIn(eFirstRecord);
        c.LastRecord = eLastRecord->text().toLongLong();
    }
    c.Collate = chkCollate->isEnabled() && chkCollate->isChecked();
    c.DataFile = eFile->text();
    if (rbSqlSource->isChecked()) {
        c.DataFile.clear();
        c.SqlUrl = sqlUrl_;
        c.SqlQuery = sqlQuery_;
        c.SqlPassword = SessionSqlPassword(sqlUrl_);
    }
    if (wizard_) {
        c.Split = wizard_->SplitSettings();
        c.Sheet = wizard_->SheetChoice(c.DataFile);
    }
    // The encoding is the label's, chosen in the wizard's preview.
    TTextEncoding encoding{};
    c.Split.Encoding = TextEncodingFromName(dataEncoding_, &encoding) ? std::optional(encoding) : std::nullopt;
    if (LabelFileName)
        c.LabelFile = LabelFileName();
    if (JobCalibration)
        c.Calibration = JobCalibration();
    c.Answers = answers_;
    if (chkQuantity->isEnabled() && chkQuantity->isChecked())
        c.QuantityColumn = cbQuantityColumn->currentText().trimmed();
    c.FirstLabel = spFirstLabel->value();
    c.Roll = chkRoll->isChecked(); // no change to a roll label
    c.Outline = chkOutline->isChecked();
    c.CropMarks = chkCropMarks->isChecked();
    c.Mirror = chkMirror->isChecked();
    return c;
}

bool TFPrintDlg::TakeDevice()
{
    device_ = DeviceFactory ? DeviceFactory() : nullptr;
    return device_ || !DeviceFactory;
}

bool TFPrintDlg::RunJob(TItemContainer &label)
{
    LastMessage.clear();
    if (!device_ && !TakeDevice()) {
        LastResult = TPrintResult::Cancelled;
        return false;
    }
    std::unique_ptr<TPrinterDevice> device = std::move(device_);
    if (!device) {
        LastResult = TPrintResult::DeviceError;
        LastMessage = tr("No printer is available.");
        DialogMessage(parentWidget(), LastMessage);
        return true;
    }
    const TPrintChoices choices = Choices();
    jobRunning = true;
    if (OnJobRunning)
        OnJobRunning(true);
    TPrintStats stats;
    LastResult = PrintLabels(label, choices, *device, progress_, &LastMessage, &stats);
    jobRunning = false;
    if (OnJobRunning)
        OnJobRunning(false);
    if (LastResult != TPrintResult::Printed && LastResult != TPrintResult::Cancelled && !LastMessage.isEmpty()) {
        DialogMessage(parentWidget(), LastMessage);
    } else if (LastResult == TPrintResult::Printed && !stats.MissingPictures.isEmpty()) {
        QStringList files;
        for (const QString &f : stats.MissingPictures)
            files << QDir::toNativeSeparators(f);
        LastMessage = tr("标签已打印，但缺少无法读取的图像：\n%1").arg(files.join(u'\n'));
        DialogMessage(parentWidget(), LastMessage);
    }
    return true;
}

void TFPrintDlg::UpdateLayoutCaptions()
{
    const TLabelFormat own = label_ ? label_->LabelFormat : TLabelFormat{};
    // A roll label is one already; the choice is for sheet labels.
    chkRoll->setVisible(!own.Roll);
    TPrintChoices roll;
    roll.Roll = !own.Roll && chkRoll->isChecked();
    const TLabelFormat format = JobFormat(own, roll);
    const TSheetLayout layout(format, metrics_, label_ ? label_->ScreenDpiX : kDefaultDesignDpi,
                              label_ ? label_->ScreenDpiY : kDefaultDesignDpi);
    lColumns->setText(tr("列：") + QString::number(layout.LabelColumns));
    lRows->setText(tr("行：") + QString::number(layout.LabelRows));
    LLabels->setText(tr("Labels per page: ") + QString::number(layout.PositionCount()));
    // The spin box cannot reach past the page's positions.
    gridFirstLabel->SetLayout(layout);
    spFirstLabel->setMaximum(qMax(1, layout.PositionCount()));
    gridFirstLabel->SetFirst(spFirstLabel->value());
    // Unknown paper (no measurements yet) loses nothing that can be told.
    const bool measured = metrics_.PaperWidth > 0 && metrics_.PaperHeight > 0;
    lPaperShortfall->setText(measured ? shortfallText(SheetShortfall(layout)) : QString());
    lPaperShortfall->setVisible(!lPaperShortfall->text().isEmpty());
    lRollMedia->setVisible(layout.Format().Roll);
    if (!layout.Format().Roll)
        return;
    // Roll labels: one a page, on paper of the label's size.
    lColumns->clear();
    lRows->clear();
    // Whether the page is the label alone or has the roll format's margins.
    const bool margins = format.Margin_Left > 0 || format.Margin_Top > 0;
    LLabels->setText(margins ? tr("每页 1 个标签，页面含标签格式设定的边距") : tr("每页 1 个标签，页面即标签，无边距"));
    const QSizeF mm = layout.RollPageSizeMm();
    const QString size = tr("%1 × %2 mm").arg(FormatDecimal(mm.width(), 0, 1), FormatDecimal(mm.height(), 0, 1));
    const QString printer = PrinterName ? PrinterName() : QString();
    const TRollMedia media = printer.isEmpty() ? TRollMedia{} : RollMediaFor(printer, mm);
    if (printer.isEmpty())
        lRollMedia->setText(tr("纸张：%1").arg(size));
    else if (media.Media.startsWith(QLatin1String("Custom.")))
        lRollMedia->setText(tr("纸张：自定义尺寸 %1").arg(size));
    else if (media.Size.isValid())
        lRollMedia->setText(tr("纸张：打印机不接受自定义尺寸，使用能容纳 %1 的最小纸张 %2%3")
                                .arg(size, media.Size.name(), media.Landscape ? tr("（横向）") : QString()));
    else
        lRollMedia->setText(tr("纸张：打印机没有能容纳 %1 的纸张").arg(size));
}

void TFPrintDlg::CalibrationClick()
{
    if (Calibrate)
        Calibrate(this);
}

void TFPrintDlg::PrinterSetupClick()
{
    if (PrinterSetup && PrinterSetup(this)) {
        ReadPrinterMetrics();
        UpdateLayoutCaptions();
    }
}

void TFPrintDlg::NumberExit(QLineEdit *field)
{
    bool ok = false;
    const int v = field->text().toInt(&ok);
    if (!ok || v == 0)
        field->setText(QStringLiteral("1"));
}

bool TFPrintDlg::RunWizard(const QString &fileName)
{
    if (!wizard_)
        return true;
    wizard_->adjustSize();
    CenterOver(wizard_, this);
    TTextEncoding encoding{};
    wizard_->SetChosenEncoding(TextEncodingFromName(dataEncoding_, &encoding) ? std::optional(encoding)
                                                                              : std::nullopt);
    if (!wizard_->Execute(fileName))
        return false;
    const std::optional<TTextEncoding> chosen = wizard_->ChosenEncoding();
    const QString name = chosen ? TextEncodingName(*chosen) : QString();
    if (!wizard_->SpreadsheetFile.isEmpty() || name == dataEncoding_)
        return true;
    dataEncoding_ = name;
    if (label_)
        label_->DataEncoding = name;
    if (OnDataEncodingChanged)
        OnDataEncodingChanged();
    return true;
}

void TFPrintDlg::BrowseBtnClick()
{
    const QString name = ChooseDataFile ? ChooseDataFile(this) : QString();
    if (name.isEmpty())
        return;
    eFile->setText(name);
    rbFileSource->setChecked(true);
    if (!RunWizard(name))
        eFile->clear();
    else
        ReadQuantityColumns();
}

void TFPrintDlg::eFileExit()
{
    const QString name = eFile->text();
    // A name the wizard has already seen is not asked about again.
    if (name.isEmpty() || !eFile->isModified())
        return;
    if (fileExists(name)) {
        eFile->setModified(false);
        rbFileSource->setChecked(true);
        if (!RunWizard(name))
            eFile->clear();
        else
            ReadQuantityColumns();
        return;
    }
    DialogMessage(this, notFoundMessage(name));
    leave_->Refocus(eFile);
    eFile->selectAll();
}

void TFPrintDlg::OkayBtnClick()
{
    if (ChoicesReady() && AskValues() && TakeDevice())
        accept();
}

bool TFPrintDlg::ChoicesReady()
{
    // OK chosen with Enter leaves the focus in a number field: repair it first.
    if (QWidget *focused = leave_->FocusedField(); focused && focused != eFile)
        leave_->RunLeave(focused);
    if (chkQuantity->isEnabled() && chkQuantity->isChecked() && cbQuantityColumn->currentText().trimmed().isEmpty()) {
        DialogMessage(this, tr("请选择给出打印数量的数据列。"));
        cbQuantityColumn->setFocus();
        return false;
    }
    if (rbSqlSource->isChecked()) {
        if (sqlUrl_.isEmpty()) {
            DialogMessage(this, tr("请先选择数据库查询。"));
            return false;
        }
        return true;
    }
    if (rbAllRange->isChecked() && eFile->text().isEmpty()) {
        DialogMessage(this, tr("You cannot print \"All\" without") + kMessageLineBreak +
                                tr("selecting a file to import from."));
        return false;
    }
    if (!eFile->text().isEmpty() && !fileExists(eFile->text())) {
        DialogMessage(this, notFoundMessage(eFile->text()));
        return false;
    }
    return true;
}

void TFPrintDlg::SetSqlSource(const QString &url, const QString &query)
{
    sqlUrl_ = url;
    sqlQuery_ = query;
    eSqlSource->setText(url.isEmpty() ? QString() : url + QLatin1String("  ") + query.simplified());
    eSqlSource->setCursorPosition(0);
    if (!url.isEmpty())
        rbSqlSource->setChecked(true);
    UpdateQuantityRow();
}

void TFPrintDlg::SqlBtnClick()
{
    QString url = sqlUrl_, query = sqlQuery_;
    if (!ChooseSqlSource || !ChooseSqlSource(this, &url, &query))
        return;
    SetSqlSource(url, query);
    // The query dialog ran the query: its grid has the columns' names. The
    // database is not opened again for them.
    QStringList names;
    if (const QTableWidget *grid = sqlDialog_ ? sqlDialog_->gridPreview : nullptr)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (const QTableWidgetItem *h = grid->horizontalHeaderItem(c))
                names << h->text();
    FillQuantityColumns(names);
}

bool TFPrintDlg::AskValues()
{
    answers_.clear();
    const QList<TAskedValue> asked = label_ ? AskedValues(label_->Items) : QList<TAskedValue>{};
    if (asked.isEmpty())
        return true;
    // Unsaved labels have no file to remember their values by.
    const QString file = LabelFileName ? LabelFileName() : QString();
    const QString key = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    QHash<QString, QString> answers;
    if (!TFAskValues::Ask(isVisible() ? this : parentWidget(), asked, LoadRememberedAnswers(key), &answers))
        return false;
    answers_ = answers;
    // A convenience: a settings file that cannot be written costs no job.
    if (!key.isEmpty())
        SaveRememberedAnswers(key, answers);
    return true;
}

void TFPrintDlg::UpdateQuantityRow()
{
    const bool source = imported_ && (rbSqlSource->isChecked() ? !sqlUrl_.isEmpty() : !eFile->text().isEmpty());
    chkQuantity->setEnabled(source);
    cbQuantityColumn->setEnabled(source && chkQuantity->isChecked());
    UpdateRangeRows();
}

void TFPrintDlg::AddRangeControls()
{
    auto *pages = qobject_cast<QGridLayout *>(GroupBox1->layout());
    eFirstPage = MakeEdit(GroupBox1, "eFirstPage", QStringLiteral("1"), 2);
    pages->removeWidget(ePages);
    pages->addWidget(eFirstPage, 1, 1);
    pages->addWidget(MakeLabel(GroupBox1, "lPagesTo", tr("至")), 1, 2);
    pages->addWidget(ePages, 1, 3);
    chkRecords = new QCheckBox(tr("记录"), GroupBox1);
    chkRecords->setObjectName(QStringLiteral("chkRecords"));
    chkRecords->setToolTip(tr("只打印数据源的这些记录（从 1 起，不含标题行）；末项留空：到最后一条"));
    eFirstRecord = MakeEdit(GroupBox1, "eFirstRecord", QStringLiteral("1"), 2);
    eLastRecord = MakeEdit(GroupBox1, "eLastRecord", QString(), 2);
    pages->addWidget(chkRecords, 3, 0);
    pages->addWidget(eFirstRecord, 3, 1);
    pages->addWidget(MakeLabel(GroupBox1, "lRecordsTo", tr("至")), 3, 2);
    pages->addWidget(eLastRecord, 3, 3);
    for (QLineEdit *e : {eFirstPage, eFirstRecord, eLastRecord})
        e->setFixedWidth(36);
    chkCollate = new QCheckBox(tr("逐份打印"), GroupBox2);
    chkCollate->setObjectName(QStringLiteral("chkCollate"));
    chkCollate->setToolTip(tr("整批打印完再打印下一份，而不是每个标签连打多份"));
    auto *copies = qobject_cast<QGridLayout *>(GroupBox2->layout());
    copies->addWidget(chkCollate, 2, 0, 1, 2);
    copies->setRowStretch(2, 0);
    copies->setRowStretch(3, 1);
    connect(chkRecords, &QCheckBox::toggled, this, &TFPrintDlg::UpdateRangeRows);
    connect(rbMultipleLabel, &QRadioButton::toggled, this, &TFPrintDlg::UpdateRangeRows);
}

void TFPrintDlg::UpdateRangeRows()
{
    chkRecords->setEnabled(chkQuantity->isEnabled());
    for (QLineEdit *e : {eFirstRecord, eLastRecord})
        e->setEnabled(chkRecords->isEnabled() && chkRecords->isChecked());
    chkCollate->setEnabled(rbMultipleLabel->isChecked());
}

void TFPrintDlg::FillQuantityColumns(const QStringList &names)
{
    const QString current = cbQuantityColumn->currentText();
    cbQuantityColumn->clear();
    cbQuantityColumn->addItems(names);
    cbQuantityColumn->setEditText(current);
}

void TFPrintDlg::ReadQuantityColumns()
{
    // A file's header is read quickly; a text file without one offers none.
    QString error;
    const std::unique_ptr<TRecordSource> source = OpenRecordSource(Choices().DataSource(), &error);
    FillQuantityColumns(source ? source->ColumnNames() : QStringList{});
}
