#include "app/ftextimport.h"

#include "app/dialogkit.h"
#include "data/spreadsheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

TFTextImport::TFTextImport(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FTextImport"));
    setWindowTitle(tr("文本输入向导"));
    setFont(DialogFont());

    rgFileFormat = new QGroupBox(tr("输入文件格式"), this);
    rgFileFormat->setObjectName(QStringLiteral("rgFileFormat"));
    auto makeRadio = [this](const char *name, const QString &caption) {
        auto *r = new QRadioButton(caption, rgFileFormat);
        r->setObjectName(QLatin1String(name));
        return r;
    };
    rbCommaDel = makeRadio("rbCommaDel", tr("逗号定界"));
    rbTabDel = makeRadio("rbTabDel", tr("制表符定界"));
    rbCustomDel = makeRadio("rbCustomDel", tr("自定义定界符"));
    rbFixed = makeRadio("rbFixed", tr("固定区域"));
    rbTabDel->setChecked(true);
    {
        auto *l = new QVBoxLayout(rgFileFormat);
        for (QRadioButton *r : {rbCommaDel, rbTabDel, rbCustomDel, rbFixed})
            l->addWidget(r);
    }

    LFieldSeparator = MakeLabel(this, "LFieldSeparator", tr("区域间隔："));
    eFieldSeparator = MakeEdit(this, "eFieldSeparator", QStringLiteral("tab"), 3);
    LQuoteChar = MakeLabel(this, "LQuoteChar", tr("引用符号："));
    eQuoteChar = MakeEdit(this, "eQuoteChar", QStringLiteral("\""), 1);
    cbIgnoreHeader = new QCheckBox(tr("跳过首行(列表头)"), this);
    cbIgnoreHeader->setObjectName(QStringLiteral("cbIgnoreHeader"));
    cbIgnoreHeader->setChecked(true);
    LColumnSize = MakeLabel(this, "LColumnSize", tr("列宽度："));
    eColumnSize = MakeEdit(this, "eColumnSize", QStringLiteral("10"), 2);
    cbLtrim = new QCheckBox(tr("去左边空格"), this);
    cbLtrim->setObjectName(QStringLiteral("cbLtrim"));
    cbLtrim->setChecked(true);
    cbRTrim = new QCheckBox(tr("去右边空格"), this);
    cbRTrim->setObjectName(QStringLiteral("cbRTrim"));
    cbRTrim->setChecked(true);
    LFixedInstr = MakeLabel(this, "LFixedInstr", tr("鼠标右键单击单元格可以添加或者删除纵向列"));
    LSheet = MakeLabel(this, "LSheet", tr("工作表："));
    cbSheet = new QComboBox(this);
    cbSheet->setObjectName(QStringLiteral("cbSheet"));
    cbSheet->setMinimumContentsLength(12);
    LSheet->setBuddy(cbSheet);
    LSheet->hide();
    cbSheet->hide();
    LEncoding = MakeLabel(this, "LEncoding", tr("编码："));
    cbEncoding = new QComboBox(this);
    cbEncoding->setObjectName(QStringLiteral("cbEncoding"));
    cbEncoding->addItem(tr("自动检测"));
    for (TTextEncoding e :
         {TTextEncoding::Utf8, TTextEncoding::Gb18030, TTextEncoding::Utf16Le, TTextEncoding::Utf16Be})
        cbEncoding->addItem(TextEncodingName(e), int(e));
    LEncoding->setBuddy(cbEncoding);
    for (QWidget *w : {static_cast<QWidget *>(LColumnSize), static_cast<QWidget *>(eColumnSize),
                       static_cast<QWidget *>(cbLtrim), static_cast<QWidget *>(cbRTrim),
                       static_cast<QWidget *>(LFixedInstr)})
        w->hide();
    for (QLineEdit *e : {eFieldSeparator, eQuoteChar, eColumnSize})
        e->setFixedWidth(48);
    (new TKeyFilter(this, QStringLiteral("0123456789")))->Install(eColumnSize);

    sgParams = new QTableWidget(this);
    sgParams->setObjectName(QStringLiteral("sgParams"));
    sgParams->verticalHeader()->hide();
    sgParams->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgParams->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgParams->setSelectionMode(QAbstractItemView::SingleSelection);
    sgParams->setMinimumSize(420, 180);
    sgParams->viewport()->installEventFilter(this);
    sgParams->horizontalHeader()->viewport()->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    InsertColumn1 = PopupMenu1->addAction(tr("插入列"));
    InsertColumn1->setObjectName(QStringLiteral("InsertColumn1"));
    DeleteColumn1 = PopupMenu1->addAction(tr("删除列"));
    DeleteColumn1->setObjectName(QStringLiteral("DeleteColumn1"));

    OkayBtn = MakeButton(this, "OkayBtn", tr("确定(&O)"), true);
    CancelBtn = MakeButton(this, "CancelBtn", tr("取消(&C)"));

    auto *options = new QGridLayout;
    options->addWidget(LFieldSeparator, 0, 0);
    options->addWidget(eFieldSeparator, 0, 1);
    options->addWidget(LQuoteChar, 1, 0);
    options->addWidget(eQuoteChar, 1, 1);
    options->addWidget(cbIgnoreHeader, 2, 0, 1, 2);
    options->addWidget(cbLtrim, 3, 0, 1, 2);
    options->addWidget(cbRTrim, 4, 0, 1, 2);
    options->addWidget(LColumnSize, 5, 0);
    options->addWidget(eColumnSize, 5, 1);
    options->addWidget(LSheet, 6, 0);
    options->addWidget(cbSheet, 6, 1);
    options->addWidget(LEncoding, 7, 0);
    options->addWidget(cbEncoding, 7, 1);
    options->setRowStretch(8, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(rgFileFormat);
    top->addLayout(options);
    top->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(LFixedInstr);
    buttons->addStretch();
    buttons->addWidget(OkayBtn);
    buttons->addWidget(CancelBtn);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(sgParams, 1);
    outer->addLayout(buttons);

    AskColumnSize = [](QWidget *parent, QString &answer) {
        bool ok = false;
        answer = QInputDialog::getText(parent, tr("Insert Column"), tr("Enter column size"),
                                       QLineEdit::Normal, QString(), &ok);
        return ok;
    };
    ColumnSizes = {10};

    for (QRadioButton *r : {rbCommaDel, rbTabDel, rbCustomDel, rbFixed})
        connect(r, &QRadioButton::toggled, this, [this, r](bool on) {
            if (on)
                FormatChosen(r);
        });
    connect(eFieldSeparator, &QLineEdit::textChanged, this, &TFTextImport::FillPreview);
    connect(eQuoteChar, &QLineEdit::textChanged, this, &TFTextImport::FillPreview);
    for (QCheckBox *c : {cbIgnoreHeader, cbLtrim, cbRTrim})
        connect(c, &QCheckBox::toggled, this, &TFTextImport::FillPreview);
    connect(eColumnSize, &QLineEdit::textChanged, this, &TFTextImport::eColumnSizeChange);
    connect(cbEncoding, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_ && !TextFile.isEmpty() && ReadSamples(TextFile))
            FillPreview();
    });
    connect(cbSheet, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_ && ReadSheetRows())
            FillPreview();
    });
    connect(sgParams, &QTableWidget::currentCellChanged, this, [this](int, int column) {
        if (!filling_ && column >= 0) {
            currentColumn_ = column;
            ShowColumnSize();
        }
    });
    connect(InsertColumn1, &QAction::triggered, this, &TFTextImport::InsertColumn1Click);
    connect(DeleteColumn1, &QAction::triggered, this, &TFTextImport::DeleteColumn1Click);
    connect(OkayBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFTextImport::Execute(const QString &fileName)
{
    SampleLines.clear();
    SheetRows.clear();
    QString error;
    if (IsSpreadsheetFile(fileName)) {
        int opensAt = 0;
        const QList<TSheetInfo> sheets = SpreadsheetSheets(fileName, &opensAt, &error);
        if (sheets.isEmpty()) {
            DialogMessage(parentWidget() ? parentWidget() : this, error);
            return false;
        }
        // The same workbook again keeps the sheet chosen last time.
        const QString previous = fileName == SpreadsheetFile ? cbSheet->currentData().toString() : QString();
        SpreadsheetFile = fileName;
        filling_ = true;
        cbSheet->clear();
        int current = opensAt;
        for (const TSheetInfo &sheet : sheets) {
            if (!previous.isEmpty() && sheet.Name == previous)
                current = cbSheet->count();
            cbSheet->addItem(sheet.Hidden ? tr("%1（隐藏）").arg(sheet.Name) : sheet.Name, sheet.Name);
        }
        cbSheet->setCurrentIndex(current);
        filling_ = false;
        if (!ReadSheetRows())
            return false;
        UpdateFormatControls();
        return exec() == QDialog::Accepted;
    }
    SpreadsheetFile.clear();
    TextFile.clear();
    if (!ReadSamples(fileName))
        return false;
    TextFile = fileName;
    TSplitMode mode;
    if (SplitModeForFile(fileName, mode)) {
        QRadioButton *r = mode == TSplitMode::Comma  ? rbCommaDel
                          : mode == TSplitMode::Tab  ? rbTabDel
                          : mode == TSplitMode::Custom ? rbCustomDel
                                                       : rbFixed;
        // A new fixed-width file gets columns of its own even when the
        // previous file was fixed-width too.
        if (r == rbFixed && rbFixed->isChecked())
            ResetFixedColumns();
        r->setChecked(true);
    }
    return exec() == QDialog::Accepted;
}

std::optional<TTextEncoding> TFTextImport::ChosenEncoding() const
{
    const QVariant e = cbEncoding->currentData();
    return e.isValid() ? std::optional(TTextEncoding(e.toInt())) : std::nullopt;
}

void TFTextImport::SetChosenEncoding(std::optional<TTextEncoding> encoding)
{
    filling_ = true;
    cbEncoding->setCurrentIndex(encoding ? qMax(0, cbEncoding->findData(int(*encoding))) : 0);
    filling_ = false;
}

bool TFTextImport::ReadSamples(const QString &fileName)
{
    QString error;
    TTextEncoding encoding = TTextEncoding::Gb18030;
    QStringList lines = ReadSampleLines(fileName, 10, &error, &encoding, ChosenEncoding());
    if (!error.isEmpty()) {
        DialogMessage(isVisible() ? this : parentWidget() ? parentWidget() : this, error);
        return false;
    }
    SampleLines = lines;
    SampleEncoding = encoding;
    return true;
}

TSplitSettings TFTextImport::SplitSettings() const
{
    TSplitSettings s;
    s.Mode = rbCommaDel->isChecked()    ? TSplitMode::Comma
             : rbTabDel->isChecked()    ? TSplitMode::Tab
             : rbCustomDel->isChecked() ? TSplitMode::Custom
                                        : TSplitMode::Fixed;
    if (s.Mode == TSplitMode::Custom)
        s.CustomSeparator = eFieldSeparator->text();
    s.QuoteChar = eQuoteChar->text();
    s.IgnoreHeader = cbIgnoreHeader->isChecked();
    s.LTrim = cbLtrim->isChecked();
    s.RTrim = cbRTrim->isChecked();
    s.ColumnSizes = ColumnSizes;
    s.Encoding = ChosenEncoding();
    return s;
}

QString TFTextImport::SheetChoice(const QString &fileName) const
{
    if (SpreadsheetFile.isEmpty() || fileName != SpreadsheetFile || cbSheet->currentIndex() < 0)
        return QString();
    const QString name = cbSheet->currentData().toString();
    return name.isEmpty() ? QString::number(cbSheet->currentIndex() + 1) : name;
}

bool TFTextImport::ReadSheetRows()
{
    QString error;
    SheetRows = ReadSpreadsheetRows(SpreadsheetFile, SheetChoice(SpreadsheetFile), 10, &error);
    if (!error.isEmpty()) {
        DialogMessage(isVisible() ? this : parentWidget() ? parentWidget() : this, error);
        return false;
    }
    return true;
}

void TFTextImport::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    UpdateFormatControls();
    sgParams->setFont(QFont(QStringLiteral("Courier New"), font().pointSize() > 0 ? font().pointSize() : 9));
    sgParams->verticalHeader()->setDefaultSectionSize(sgParams->fontMetrics().height() + 6);
    FillPreview();
}

void TFTextImport::ResetFixedColumns()
{
    ColumnSizes = {InitialFixedWidth(SampleLines, SampleEncoding)};
    currentColumn_ = 0;
}

void TFTextImport::FormatChosen(QRadioButton *button)
{
    if (button == rbFixed)
        ResetFixedColumns();
    UpdateFormatControls();
    FillPreview();
}

void TFTextImport::UpdateFormatControls()
{
    const bool fixed = rbFixed->isChecked();
    const bool blocked = eFieldSeparator->blockSignals(true);
    if (rbCommaDel->isChecked() || rbCustomDel->isChecked()) {
        eFieldSeparator->setText(QStringLiteral(","));
        eFieldSeparator->setMaxLength(1);
    } else if (rbTabDel->isChecked()) {
        eFieldSeparator->setMaxLength(3);
        eFieldSeparator->setText(QStringLiteral("tab"));
    }
    eFieldSeparator->blockSignals(blocked);
    const bool editable = rbCustomDel->isChecked();
    eFieldSeparator->setReadOnly(!editable);
    eFieldSeparator->setStyleSheet(editable ? QStringLiteral("color: black;") : QStringLiteral("color: grey;"));
    const bool sheet = !SpreadsheetFile.isEmpty();
    for (QWidget *w : {static_cast<QWidget *>(eFieldSeparator), static_cast<QWidget *>(LFieldSeparator),
                       static_cast<QWidget *>(LQuoteChar), static_cast<QWidget *>(eQuoteChar)})
        w->setVisible(!fixed && !sheet);
    for (QWidget *w : {static_cast<QWidget *>(cbLtrim), static_cast<QWidget *>(cbRTrim),
                       static_cast<QWidget *>(LFixedInstr), static_cast<QWidget *>(LColumnSize),
                       static_cast<QWidget *>(eColumnSize)})
        w->setVisible(fixed && !sheet);
    rgFileFormat->setVisible(!sheet);
    LSheet->setVisible(sheet);
    cbSheet->setVisible(sheet);
    LEncoding->setVisible(!sheet);
    cbEncoding->setVisible(!sheet);
}

void TFTextImport::FillPreview()
{
    constexpr qsizetype kMaxHeadName = 40; // a long name would widen its column beyond its values
    filling_ = true;
    const TSplitSettings settings = SplitSettings();
    const QFontMetrics headMetrics(sgParams->horizontalHeader()->font());
    const QFontMetrics cellMetrics(sgParams->font());
    sgParams->setRowCount(0);
    sgParams->setColumnCount(0);
    int rows = 0;
    const bool sheet = !SpreadsheetFile.isEmpty();
    const QStringList records = sheet ? QStringList() : SampleRecords(SampleLines, settings);
    const int samples = int(sheet ? SheetRows.size() : records.size());
    for (int i = 0; i < samples; ++i) {
        const TDataRow fields = sheet ? SheetRows.at(i) : ParseLine(records.at(i), settings, SampleEncoding);
        if (i == 0) {
            sgParams->setColumnCount(int(fields.size()));
            for (int c = 0; c < fields.size(); ++c) {
                // A skipped header names the columns: labels refer to them by it.
                QString head = tr("Field #") + QString::number(c + 1);
                const QString name = settings.IgnoreHeader ? fields.at(c).trimmed() : QString();
                if (!name.isEmpty())
                    head += u' ' + (name.size() > kMaxHeadName ? name.left(kMaxHeadName - 1) + u'…' : name);
                sgParams->setHorizontalHeaderItem(c, new QTableWidgetItem(head));
                sgParams->setColumnWidth(c, headMetrics.horizontalAdvance(head) + 10);
            }
            if (settings.IgnoreHeader)
                continue;
        }
        sgParams->setRowCount(rows + 1);
        for (int c = 0; c < sgParams->columnCount() && c < fields.size(); ++c) {
            const QString shown = CutShownText(fields.at(c));
            sgParams->setItem(rows, c, new QTableWidgetItem(shown));
            const int w = cellMetrics.horizontalAdvance(shown) + 10;
            if (w > sgParams->columnWidth(c))
                sgParams->setColumnWidth(c, w);
        }
        ++rows;
    }
    if (sgParams->columnCount() > 0 && rows > 0)
        sgParams->setCurrentCell(0, qBound(0, currentColumn_, sgParams->columnCount() - 1));
    filling_ = false;
    ShowColumnSize();
}

void TFTextImport::SetCurrentColumn(int c)
{
    currentColumn_ = qMax(0, c);
    if (sgParams->rowCount() > 0 && c < sgParams->columnCount()) {
        filling_ = true;
        sgParams->setCurrentCell(qMax(0, sgParams->currentRow()), c);
        filling_ = false;
    }
    ShowColumnSize();
}

void TFTextImport::ShowColumnSize()
{
    if (currentColumn_ < 0 || currentColumn_ >= ColumnSizes.size())
        return;
    UpdatingSize = true;
    eColumnSize->setText(QString::number(ColumnSizes.at(currentColumn_)));
    UpdatingSize = false;
}

void TFTextImport::eColumnSizeChange()
{
    if (UpdatingSize)
        return;
    bool ok = false;
    const int size = eColumnSize->text().toInt(&ok);
    if (!ok || size < 2)
        return;
    if (currentColumn_ >= 0 && currentColumn_ < ColumnSizes.size()) {
        ColumnSizes[currentColumn_] = size;
        FillPreview();
    }
}

void TFTextImport::InsertColumn1Click()
{
    QString answer;
    if (AskColumnSize && AskColumnSize(this, answer)) {
        bool ok = false;
        int size = answer.trimmed().toInt(&ok);
        if (!ok)
            size = 1;
        if (size >= 1)
            ColumnSizes.insert(qBound(0, currentColumn_, int(ColumnSizes.size())), size);
    }
    FillPreview();
}

void TFTextImport::DeleteColumn1Click()
{
    if (ColumnSizes.size() > 1 && currentColumn_ >= 0 && currentColumn_ < ColumnSizes.size()) {
        ColumnSizes.removeAt(currentColumn_);
        currentColumn_ = qMin(currentColumn_, int(ColumnSizes.size()) - 1);
    }
    FillPreview();
}

bool TFTextImport::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && rbFixed->isChecked() && SpreadsheetFile.isEmpty()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            const QPoint pos = mouse->position().toPoint();
            int column = -1;
            if (watched == sgParams->viewport()) {
                const QModelIndex index = sgParams->indexAt(pos);
                if (index.isValid()) {
                    filling_ = true;
                    sgParams->setCurrentCell(index.row(), index.column());
                    filling_ = false;
                    column = index.column();
                }
            } else if (watched == sgParams->horizontalHeader()->viewport()) {
                column = sgParams->horizontalHeader()->logicalIndexAt(pos);
            }
            if (column >= 0) {
                SetCurrentColumn(column);
                PopupMenu1->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
