// The composed-text editor: its window and the ordered list of parts.
#include "app/fadvanced.h"

#include "app/dialogkit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

const QString TPartListBox::MimeType = QStringLiteral("application/x-quorvane-part-entry");

TPartListBox::TPartListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void TPartListBox::MoveSelectedTo(const QPoint &pos)
{
    QListWidgetItem *moving = currentItem();
    if (count() == 0 || !moving || !moving->isSelected())
        return;
    QListWidgetItem *target = itemAt(pos);
    if (target == moving)
        return;
    const bool blocked = blockSignals(true);
    takeItem(row(moving));
    if (target)
        insertItem(row(target), moving);
    else
        addItem(moving);
    blockSignals(blocked);
    setCurrentItem(moving);
    emit Moved();
}

void TPartListBox::startDrag(Qt::DropActions)
{
    if (!currentItem())
        return;
    auto *drag = new QDrag(this);
    auto *data = new QMimeData;
    data->setData(MimeType, QByteArray::number(currentRow()));
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

void TPartListBox::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasFormat(MimeType))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPartListBox::dragMoveEvent(QDragMoveEvent *e)
{
    if (e->mimeData()->hasFormat(MimeType))
        e->acceptProposedAction();
    else
        e->ignore();
}

void TPartListBox::dropEvent(QDropEvent *e)
{
    if (!e->mimeData()->hasFormat(MimeType)) {
        e->ignore();
        return;
    }
    MoveSelectedTo(e->position().toPoint());
    // The move is done here; the source must not delete anything.
    e->setDropAction(Qt::CopyAction);
    e->accept();
}

namespace {
const QString kDigits = QStringLiteral("0123456789");

QPushButton *makeBoldButton(QWidget *parent, const char *name, const QString &caption, const QString &hint,
                            bool red)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    if (red)
        b->setStyleSheet(QStringLiteral("color: red;"));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TFAdvanced::TFAdvanced(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAdvanced"));
    setWindowTitle(tr("高级区域"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());

    kinds_ = new QButtonGroup(this);
    leave_ = new TLeaveWatcher(this);

    auto makeRadio = [this](const char *name, const QString &caption) {
        auto *r = new QRadioButton(caption, this);
        r->setObjectName(QLatin1String(name));
        kinds_->addButton(r);
        return r;
    };
    rbText = makeRadio("rbText", tr("文本"));
    rbField = makeRadio("rbField", tr("输入区域"));
    rbSequence = makeRadio("rbSequence", tr("次序"));
    rbDate = makeRadio("rbDate", tr("日期/时间"));
    rbAsk = makeRadio("rbAsk", tr("打印时输入"));
    rbCheck = makeRadio("rbCheck", tr("校验位"));
    rbText->setChecked(true);

    auto makeCombo = [this](const char *name, const QStringList &entries) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->addItems(entries);
        return c;
    };
    auto makeSpin = [this](const char *name, int min, int max, int value) {
        auto *s = new QSpinBox(this);
        s->setObjectName(QLatin1String(name));
        s->setRange(min, max);
        s->setValue(value);
        return s;
    };

    eText = MakeEdit(this, "eText", QString(), 99);
    eFieldNum = MakeEdit(this, "eFieldNum", QStringLiteral("1"), 2);
    cbFieldName = makeCombo("cbFieldName", {});
    cbFieldName->setEditable(true);
    cbFieldName->setInsertPolicy(QComboBox::NoInsert);
    cbFieldName->lineEdit()->setPlaceholderText(tr("按段落号"));
    cbFieldName->setToolTip(tr("数据源标题行中的列名；填写后优先于段落号"));
    eFieldMinSize = MakeEdit(this, "eFieldMinSize", QStringLiteral("0"), 2);
    ePadChar = MakeEdit(this, "ePadChar", QStringLiteral(" "), 1);
    eCurVal = MakeEdit(this, "eCurVal", QStringLiteral("0"), 9);
    eMinVal = MakeEdit(this, "eMinVal", QStringLiteral("0"), 9);
    eMaxVal = MakeEdit(this, "eMaxVal", QStringLiteral("999999999"), 9);
    eSeqMinSize = MakeEdit(this, "eSeqMinSize", QStringLiteral("0"), 1);
    seStep = makeSpin("seStep", -999999999, 999999999, 1);
    seStep->setToolTip(tr("负数为倒数"));
    seRepeat = makeSpin("seRepeat", 1, 999999, 1);
    seRepeat->setToolTip(tr("每个值打印的次数"));
    cbPer = makeCombo("cbPer", {tr("每张标签"), tr("每条记录"), tr("每页")});
    cbRadix = makeCombo("cbRadix", {tr("十进制"), tr("十六进制"), tr("字母")});
    eDate = MakeEdit(this, "eDate", QStringLiteral("yyyymmdd"), 0);
    seOffset = makeSpin("seOffset", -99999, 99999, 0);
    seOffset->setToolTip(tr("加到来源日期上；负数为之前"));
    cbOffsetUnit = makeCombo("cbOffsetUnit", {tr("天"), tr("月"), tr("年")});
    cbDateSource = makeCombo("cbDateSource", {tr("当前日期"), tr("数据列"), tr("打印时输入")});
    eDateSourceName = MakeEdit(this, "eDateSourceName", QString(), 0);
    eDateSourceName->setPlaceholderText(tr("列名、列号或名称"));
    eDateIn = MakeEdit(this, "eDateIn", QStringLiteral("yyyy-mm-dd"), 0);
    eDateIn->setToolTip(tr("数据列或输入值的日期格式"));
    cbTime = makeCombo("cbTime", {tr("当前时间"), tr("固定时间")});
    teTime = new QTimeEdit(QTime(0, 0), this);
    teTime->setObjectName(QStringLiteral("teTime"));
    teTime->setDisplayFormat(QStringLiteral("HH:mm"));
    eAskName = MakeEdit(this, "eAskName", QString(), 0);
    eAskCaption = MakeEdit(this, "eAskCaption", QString(), 0);
    eAskCaption->setPlaceholderText(tr("例如 批号"));
    eAskDefault = MakeEdit(this, "eAskDefault", QString(), 0);
    eAskPattern = MakeEdit(this, "eAskPattern", QString(), 0);
    eAskPattern->setPlaceholderText(tr("空 = 任意"));
    seAskSize = makeSpin("seAskSize", 0, 9999, 0);
    seAskSize->setSpecialValueText(tr("不限"));
    cbCheckScheme = makeCombo("cbCheckScheme", {QStringLiteral("GS1 (GTIN/SSCC/GLN)"), QStringLiteral("Luhn"),
                                                QStringLiteral("Mod 43 (Code 39)"), QStringLiteral("Mod 11 (ISBN-10)"),
                                                QStringLiteral("Mod 97-10 (ISO 7064)")});
    eCheckOver = MakeEdit(this, "eCheckOver", QString(), 0);
    eCheckOver->setPlaceholderText(tr("例如 1-3"));
    eCheckOver->setToolTip(tr("校验的区域序号，例如 1-3 或 1,2,5；空 = 前面所有区域"));

    sbDateHelp = new QToolButton(this);
    sbDateHelp->setObjectName(QStringLiteral("sbDateHelp"));
    sbDateHelp->setText(QStringLiteral("?"));
    sbDateHelp->setToolTip(tr("时间格式帮助"));
    {
        QFont f = sbDateHelp->font();
        f.setBold(true);
        sbDateHelp->setFont(f);
        sbDateHelp->setStyleSheet(QStringLiteral("color: red;"));
    }

    AddBtn = makeBoldButton(this, "AddBtn", QStringLiteral(">"), tr("添加区域"), false);
    SubBtn = makeBoldButton(this, "SubBtn", QStringLiteral("<"), tr("清除区域"), true);
    SubAllBtn = makeBoldButton(this, "SubAllBtn", QStringLiteral("<<"), tr("清除所有区域"), true);
    OKBtn = new QPushButton(tr("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setAutoDefault(false);
    CancelBtn = new QPushButton(tr("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);

    lFields = new TPartListBox(this);
    lFields->setObjectName(QStringLiteral("lFields"));
    lSample = new QLineEdit(this);
    lSample->setObjectName(QStringLiteral("lSample"));
    lSample->setReadOnly(true);
    lSample->setFocusPolicy(Qt::NoFocus);
    lSample->setToolTip(tr("各区域组成的文字（设计时的样子）"));

    // Layout: the groups in two columns on the left, the add/remove buttons
    // in the middle, the parts and their sample on the right, OK and Cancel
    // at the bottom. A row is a caption and one field, or two side by side.
    struct Row {
        QLabel *label;
        QWidget *field;
        QWidget *second = nullptr;
    };
    auto group = [this](QBoxLayout *column, const char *name, QRadioButton *head, std::initializer_list<Row> rows) {
        auto *box = new QGroupBox(this);
        box->setObjectName(QLatin1String(name));
        auto *g = new QGridLayout(box);
        g->setContentsMargins(6, 4, 6, 4);
        g->setVerticalSpacing(2);
        g->setColumnStretch(1, 1);
        g->addWidget(head, 0, 0, 1, 3);
        int r = 1;
        for (const Row &row : rows) {
            const int col = row.label ? 1 : 0;
            if (row.label)
                g->addWidget(row.label, r, 0);
            if (row.second) {
                g->addWidget(row.field, r, col, 1, 2 - col);
                g->addWidget(row.second, r, 2);
            } else {
                g->addWidget(row.field, r, col, 1, 3 - col);
            }
            ++r;
        }
        column->addWidget(box);
    };
    auto *columnA = new QVBoxLayout;
    auto *columnB = new QVBoxLayout;
    group(columnA, "gbText", rbText, {{nullptr, eText}});
    group(columnA, "gbField", rbField,
          {{MakeLabel(this, "Label1", tr("段落 #")), eFieldNum},
           {MakeLabel(this, "LabelFieldName", tr("列名")), cbFieldName},
           {MakeLabel(this, "Label2", tr("最小尺寸")), eFieldMinSize},
           {MakeLabel(this, "Label3", tr("填充字符")), ePadChar}});
    group(columnA, "gbSequence", rbSequence,
          {{MakeLabel(this, "Label6", tr("当前值")), eCurVal},
           {MakeLabel(this, "Label7", tr("最小值")), eMinVal},
           {MakeLabel(this, "Label4", tr("最大值")), eMaxVal},
           {MakeLabel(this, "Label5", tr("最小尺寸")), eSeqMinSize},
           {MakeLabel(this, "LabelStep", tr("步长")), seStep},
           {MakeLabel(this, "LabelRepeat", tr("重复")), seRepeat},
           {MakeLabel(this, "LabelPer", tr("递增")), cbPer},
           {MakeLabel(this, "LabelRadix", tr("进制")), cbRadix}});
    columnA->addStretch();
    group(columnB, "gbDate", rbDate,
          {{MakeLabel(this, "Label8", tr("格式")), eDate, sbDateHelp},
           {MakeLabel(this, "LabelOffset", tr("偏移")), seOffset, cbOffsetUnit},
           {MakeLabel(this, "LabelDateSource", tr("来源")), cbDateSource},
           {MakeLabel(this, "LabelDateSourceName", tr("列/名称")), eDateSourceName},
           {MakeLabel(this, "LabelDateIn", tr("输入格式")), eDateIn},
           {MakeLabel(this, "LabelTime", tr("时间")), cbTime, teTime}});
    group(columnB, "gbAsk", rbAsk,
          {{MakeLabel(this, "LabelAskName", tr("名称")), eAskName},
           {MakeLabel(this, "LabelAskCaption", tr("标题")), eAskCaption},
           {MakeLabel(this, "LabelAskDefault", tr("默认值")), eAskDefault},
           {MakeLabel(this, "LabelAskPattern", tr("格式(正则表达式)")), eAskPattern},
           {MakeLabel(this, "LabelAskSize", tr("最大长度")), seAskSize}});
    group(columnB, "gbCheck", rbCheck,
          {{MakeLabel(this, "LabelCheckScheme", tr("算法")), cbCheckScheme},
           {MakeLabel(this, "LabelCheckOver", tr("覆盖区域")), eCheckOver}});
    columnB->addStretch();

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton *b : {AddBtn, SubBtn, SubAllBtn}) {
        b->setFixedWidth(32);
        middle->addWidget(b);
    }
    middle->addStretch();

    auto *right = new QVBoxLayout;
    right->addWidget(lFields, 1);
    right->addWidget(MakeLabel(this, "LabelSample", tr("示例")));
    right->addWidget(lSample);

    auto *top = new QHBoxLayout;
    top->addLayout(columnA, 3);
    top->addLayout(columnB, 3);
    top->addLayout(middle);
    top->addLayout(right, 3);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(OKBtn);
    bottom->addWidget(CancelBtn);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addLayout(top);
    outer->addLayout(bottom);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(351, 334);

    // Key filters; Enter in a field moves on to the add button, which runs
    // the field's leave rule.
    auto toAdd = [this] { AddBtn->setFocus(Qt::TabFocusReason); };
    auto *anyKey = new TKeyFilter(this, QString(), toAdd);
    auto *digits = new TKeyFilter(this, kDigits, toAdd);
    // Besides the pattern letters, Chinese dates are typed with 年 月 日 and the
    // weekday 星期, and numeric ones with "-" and ".".
    auto *dateKeys = new TKeyFilter(this, QStringLiteral(" /:adhmnpsy-.年月日星期"), toAdd);
    // Every character may be typed in these; the filter only handles Enter.
    for (QWidget *e : std::initializer_list<QWidget *>{eText, ePadChar, cbFieldName, seStep, seRepeat, seOffset,
                                                        eDateSourceName, eDateIn, teTime, eAskName, eAskCaption,
                                                        eAskDefault, eAskPattern, seAskSize, eCheckOver})
        anyKey->Install(e);
    for (QLineEdit *e : {eFieldNum, eFieldMinSize, eCurVal, eMinVal, eMaxVal, eSeqMinSize})
        digits->Install(e);
    dateKeys->Install(eDate);

    leave_->Watch(eText, [this] { ChangeSelected(); });
    leave_->Watch(eFieldNum, [this] { eFieldNumExit(); });
    leave_->Watch(eFieldMinSize, [this] { eFieldMinSizeExit(); });
    leave_->Watch(ePadChar, [this] { ePadCharExit(); });
    leave_->Watch(eCurVal, [this] { eCurValExit(); });
    leave_->Watch(eMinVal, [this] { eMinValExit(); });
    leave_->Watch(eMaxVal, [this] { eMaxValExit(); });
    leave_->Watch(eSeqMinSize, [this] { eSeqMinSizeExit(); });
    leave_->Watch(eDate, [this] { eDateExit(); });
    leave_->Watch(seStep, [this] { seStepExit(); });
    leave_->Watch(eAskName, [this] { eAskNameExit(); });
    leave_->Watch(eAskPattern, [this] { eAskPatternExit(); });
    leave_->Watch(eCheckOver, [this] { eCheckOverExit(); });

    connect(eText, &QLineEdit::textChanged, this, [this] { ChangeSelected(); });
    // The newer settings take effect as they are changed, so the sample
    // follows them; values a part cannot take are refused on leaving.
    const auto change = [this] { ChangeSelected(); };
    for (QLineEdit *e : {eDateSourceName, eDateIn, eAskName, eAskCaption, eAskDefault, eAskPattern, eCheckOver})
        connect(e, &QLineEdit::textChanged, this, change);
    connect(cbFieldName, &QComboBox::editTextChanged, this, change);
    for (QSpinBox *s : {seStep, seRepeat, seOffset, seAskSize})
        connect(s, &QSpinBox::valueChanged, this, change);
    for (QComboBox *c : {cbPer, cbRadix, cbOffsetUnit, cbCheckScheme})
        connect(c, &QComboBox::currentIndexChanged, this, change);
    for (QComboBox *c : {cbDateSource, cbTime})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            UpdateEnabling();
            ChangeSelected();
        });
    connect(teTime, &QTimeEdit::timeChanged, this, change);
    connect(kinds_, &QButtonGroup::buttonClicked, this, [this] { UpdateEnabling(); });
    // A click on the entry already selected loads its values again as well.
    auto selected = [this] {
        if (!filling_)
            lFieldsClick();
    };
    connect(lFields, &QListWidget::itemSelectionChanged, this, selected);
    connect(lFields, &QListWidget::itemClicked, this, selected);
    connect(lFields, &TPartListBox::Moved, this, &TFAdvanced::UpdateSample);
    connect(AddBtn, &QPushButton::clicked, this, &TFAdvanced::AddBtnClick);
    connect(SubBtn, &QPushButton::clicked, this, &TFAdvanced::SubBtnClick);
    connect(SubAllBtn, &QPushButton::clicked, this, &TFAdvanced::SubAllBtnClick);
    connect(sbDateHelp, &QToolButton::clicked, this, &TFAdvanced::sbDateHelpClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    UpdateEnabling();
}

TFAdvanced::~TFAdvanced() = default;

bool TFAdvanced::Execute(TFieldList &fields)
{
    filling_ = true;
    lFields->clear();
    parts_.clear();
    for (const auto &f : fields) {
        if (!f)
            continue;
        const QString text = f->FieldType + QLatin1Char('[') + FieldDesignText(*f) + QLatin1Char(']');
        AppendEntry(CloneField(*f), text);
    }
    lFields->setCurrentRow(-1);
    filling_ = false;
    UpdateSample();

    const bool ok = exec() == QDialog::Accepted;
    if (ok) {
        TFieldList result;
        for (int i = 0; i < lFields->count(); ++i) {
            TAdvancedField *p = PartOf(lFields->item(i));
            for (auto &owned : parts_)
                if (owned.get() == p) {
                    result.push_back(std::move(owned));
                    break;
                }
        }
        fields = std::move(result);
    }
    filling_ = true;
    lFields->clear();
    filling_ = false;
    parts_.clear();
    return ok;
}

void TFAdvanced::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    UpdateEnabling();
}

TAdvancedField *TFAdvanced::PartOf(QListWidgetItem *entry) const
{
    return entry ? reinterpret_cast<TAdvancedField *>(entry->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

TAdvancedField *TFAdvanced::SelectedPart() const
{
    QListWidgetItem *cur = lFields->currentItem();
    if (lFields->count() == 0 || !cur || !cur->isSelected())
        return nullptr;
    return PartOf(cur);
}

QListWidgetItem *TFAdvanced::AppendEntry(std::unique_ptr<TAdvancedField> part, const QString &text)
{
    auto *entry = new QListWidgetItem(text);
    entry->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(part.get())));
    parts_.push_back(std::move(part));
    lFields->addItem(entry);
    return entry;
}

void TFAdvanced::AddBtnClick()
{
    std::unique_ptr<TAdvancedField> part;
    if (rbText->isChecked())
        part = std::make_unique<TTextField>();
    else if (rbField->isChecked())
        part = std::make_unique<TImportedField>();
    else if (rbSequence->isChecked())
        part = std::make_unique<TSequenceField>();
    else if (rbDate->isChecked())
        part = std::make_unique<TDateField>();
    else if (rbAsk->isChecked())
        part = std::make_unique<TAskField>();
    else if (rbCheck->isChecked())
        part = std::make_unique<TCheckField>();
    if (!part)
        return;
    if (const auto [field, problem] = KindProblem(); field) {
        // A leave rule that refused the field just now has said so already.
        if (QApplication::focusWidget() != field)
            WarnAndRefocus(field, problem);
        return;
    }
    ReadFields(*part);
    const QString text = EditedEntryText(*part);
    filling_ = true;
    QListWidgetItem *entry = AppendEntry(std::move(part), text);
    lFields->setCurrentItem(entry);
    filling_ = false;
    UpdateSample();
}

void TFAdvanced::SubBtnClick()
{
    QListWidgetItem *cur = lFields->currentItem();
    if (lFields->count() == 0 || !cur || !cur->isSelected())
        return;
    // The part itself stays with the dialog until it closes; OK leaves it out.
    filling_ = true;
    delete lFields->takeItem(lFields->row(cur));
    // Nothing is selected afterwards, so editing the fields changes no other part.
    lFields->setCurrentRow(-1);
    filling_ = false;
    UpdateSample();
}

void TFAdvanced::SubAllBtnClick()
{
    filling_ = true;
    lFields->clear();
    filling_ = false;
    UpdateSample();
}

void TFAdvanced::SetColumnNames(const QStringList &names)
{
    // The typed name stays, whether the new source has it or not.
    const bool was = filling_;
    filling_ = true;
    const QString typed = cbFieldName->currentText();
    cbFieldName->clear();
    cbFieldName->addItems(names);
    cbFieldName->setEditText(typed);
    filling_ = was;
}

void TFAdvanced::UpdateSample()
{
    // The parts in list order, as the designer composes them.
    TFieldList inOrder;
    for (int i = 0; i < lFields->count(); ++i)
        if (const TAdvancedField *p = PartOf(lFields->item(i)))
            inOrder.push_back(CloneField(*p));
    lSample->setText(ComposeDesignText(inOrder));
    lSample->setCursorPosition(0);
}
