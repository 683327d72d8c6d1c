// The composed-text editor: its window and the ordered list of parts.
#include "app/fadvanced.h"

#include "app/dialogkit.h"

#include <QButtonGroup>
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
    rbText->setChecked(true);

    eText = MakeEdit(this, "eText", QString(), 99);
    eFieldNum = MakeEdit(this, "eFieldNum", QStringLiteral("1"), 2);
    eFieldMinSize = MakeEdit(this, "eFieldMinSize", QStringLiteral("0"), 2);
    ePadChar = MakeEdit(this, "ePadChar", QStringLiteral(" "), 1);
    eCurVal = MakeEdit(this, "eCurVal", QStringLiteral("0"), 9);
    eMinVal = MakeEdit(this, "eMinVal", QStringLiteral("0"), 9);
    eMaxVal = MakeEdit(this, "eMaxVal", QStringLiteral("999999999"), 9);
    eSeqMinSize = MakeEdit(this, "eSeqMinSize", QStringLiteral("0"), 1);
    eDate = MakeEdit(this, "eDate", QStringLiteral("yyyymmdd"), 0);

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

    // Layout: the four groups on the left, the add/remove buttons in the
    // middle, the parts on the right, OK and Cancel at the bottom.
    auto *left = new QVBoxLayout;
    auto group = [this, left](QRadioButton *head, std::initializer_list<std::pair<QLabel *, QWidget *>> rows) {
        auto *box = new QGroupBox(this);
        auto *g = new QGridLayout(box);
        g->setContentsMargins(6, 4, 6, 4);
        g->setVerticalSpacing(2);
        g->addWidget(head, 0, 0, 1, 3);
        int r = 1;
        for (const auto &[label, field] : rows) {
            if (label)
                g->addWidget(label, r, 0);
            g->addWidget(field, r, label ? 1 : 0, 1, label ? 2 : 3);
            ++r;
        }
        left->addWidget(box);
        return g;
    };
    group(rbText, {{nullptr, eText}});
    group(rbField, {{MakeLabel(this, "Label1", tr("段落 #")), eFieldNum},
                    {MakeLabel(this, "Label2", tr("最小尺寸")), eFieldMinSize},
                    {MakeLabel(this, "Label3", tr("填充字符")), ePadChar}});
    group(rbSequence, {{MakeLabel(this, "Label6", tr("当前值")), eCurVal},
                       {MakeLabel(this, "Label7", tr("最小值")), eMinVal},
                       {MakeLabel(this, "Label4", tr("最大值")), eMaxVal},
                       {MakeLabel(this, "Label5", tr("最小尺寸")), eSeqMinSize}});
    {
        auto *box = new QGroupBox(this);
        auto *g = new QGridLayout(box);
        g->setContentsMargins(6, 4, 6, 4);
        g->addWidget(rbDate, 0, 0, 1, 3);
        g->addWidget(MakeLabel(this, "Label8", tr("格式")), 1, 0);
        g->addWidget(eDate, 1, 1);
        g->addWidget(sbDateHelp, 1, 2);
        left->addWidget(box);
    }
    left->addStretch();

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton *b : {AddBtn, SubBtn, SubAllBtn}) {
        b->setFixedWidth(32);
        middle->addWidget(b);
    }
    middle->addStretch();

    auto *top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(middle);
    top->addWidget(lFields, 2);

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
    auto *dateKeys = new TKeyFilter(this, QStringLiteral(" /:adhmnpsy"), toAdd);
    // Every character may be typed in these; the filter only handles Enter.
    for (QLineEdit *e : {eText, ePadChar})
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

    connect(eText, &QLineEdit::textChanged, this, [this] { ChangeSelected(); });
    connect(kinds_, &QButtonGroup::buttonClicked, this, [this] { UpdateEnabling(); });
    // A click on the entry already selected loads its values again as well.
    auto selected = [this] {
        if (!filling_)
            lFieldsClick();
    };
    connect(lFields, &QListWidget::itemSelectionChanged, this, selected);
    connect(lFields, &QListWidget::itemClicked, this, selected);
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
    if (!part)
        return;
    ReadFields(*part);
    const QString text = EditedEntryText(*part);
    filling_ = true;
    QListWidgetItem *entry = AppendEntry(std::move(part), text);
    lFields->setCurrentItem(entry);
    filling_ = false;
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
}

void TFAdvanced::SubAllBtnClick()
{
    filling_ = true;
    lFields->clear();
    filling_ = false;
}
