#include "app/ffontdlg.h"

#include "app/dialogkit.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <fontconfig/fontconfig.h>

namespace {

// Faces that labels made on the original platform name. The program's font
// rule points them at installed faces of the same metrics.
const char *const kLabelFaceNames[] = {"Arial", "Courier New", "Times New Roman", "Lucida Console",
                                       "宋体", "SimSun", "新宋体", "NSimSun"};

const char *const kStyleNames[] = {QT_TRANSLATE_NOOP("TFFontDlg", "常规"), QT_TRANSLATE_NOOP("TFFontDlg", "斜体"),
                                   QT_TRANSLATE_NOOP("TFFontDlg", "粗体"),
                                   QT_TRANSLATE_NOOP("TFFontDlg", "粗斜体")};
const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// The colours of the effects list, as the original platform's font dialog
// offers them.
const struct {
    TColor color;
    const char *name;
} kColors[] = {
    {0x000000, QT_TRANSLATE_NOOP("TFFontDlg", "黑色")}, {0x000080, QT_TRANSLATE_NOOP("TFFontDlg", "褐红色")},
    {0x008000, QT_TRANSLATE_NOOP("TFFontDlg", "绿色")}, {0x008080, QT_TRANSLATE_NOOP("TFFontDlg", "橄榄色")},
    {0x800000, QT_TRANSLATE_NOOP("TFFontDlg", "深蓝色")}, {0x800080, QT_TRANSLATE_NOOP("TFFontDlg", "紫色")},
    {0x808000, QT_TRANSLATE_NOOP("TFFontDlg", "深青色")}, {0x808080, QT_TRANSLATE_NOOP("TFFontDlg", "灰色")},
    {0xC0C0C0, QT_TRANSLATE_NOOP("TFFontDlg", "银色")}, {0x0000FF, QT_TRANSLATE_NOOP("TFFontDlg", "红色")},
    {0x00FF00, QT_TRANSLATE_NOOP("TFFontDlg", "酸橙色")}, {0x00FFFF, QT_TRANSLATE_NOOP("TFFontDlg", "黄色")},
    {0xFF0000, QT_TRANSLATE_NOOP("TFFontDlg", "蓝色")}, {0xFF00FF, QT_TRANSLATE_NOOP("TFFontDlg", "紫红色")},
    {0xFFFF00, QT_TRANSLATE_NOOP("TFFontDlg", "水绿色")}, {0xFFFFFF, QT_TRANSLATE_NOOP("TFFontDlg", "白色")}};
const char *const kOtherColor = QT_TRANSLATE_NOOP("TFFontDlg", "其他...");

// The face fontconfig's rules put first for `name` when they replace it (a
// strong rule such as the program's); empty when no rule does.
QString ReplacingFace(const QString &name)
{
    FcPattern *p = FcPatternCreate();
    if (!p)
        return {};
    const QByteArray utf8 = name.toUtf8();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8 *>(utf8.constData()));
    QString face;
    if (FcConfigSubstitute(nullptr, p, FcMatchPattern)) {
        FcChar8 *first = nullptr;
        if (FcPatternGetString(p, FC_FAMILY, 0, &first) == FcResultMatch)
            face = QString::fromUtf8(reinterpret_cast<const char *>(first));
    }
    FcPatternDestroy(p);
    return face.compare(name, Qt::CaseInsensitive) == 0 ? QString() : face;
}

bool ContainsName(const QStringList &names, const QString &name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

QIcon ColorIcon(const QColor &c)
{
    QPixmap pm(16, 12);
    pm.fill(c);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}

int PointSize(const QFont &f)
{
    return f.pointSize() > 0 ? f.pointSize() : qMax(1, qRound(f.pointSizeF()));
}

} // namespace

QStringList TFFontDlg::LabelFamilies()
{
    const QStringList installed = QFontDatabase::families();
    QStringList out;
    for (const char *n : kLabelFaceNames) {
        const QString name = QString::fromUtf8(n);
        const QString face = ReplacingFace(name);
        if (!face.isEmpty() && ContainsName(installed, face))
            out << name;
    }
    return out;
}

QStringList TFFontDlg::Families()
{
    QStringList out;
    for (QString f : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(f) || !QFontDatabase::isScalable(f))
            continue;
        // One entry a face: "URW Gothic [urw]" and "URW Gothic [UKWN]" are
        // the same face to a label, which names the family only.
        if (const qsizetype foundry = f.indexOf(QLatin1String(" [")); foundry > 0 && f.endsWith(u']'))
            f.truncate(foundry);
        if (!ContainsName(out, f))
            out << f;
    }
    for (const QString &f : LabelFamilies())
        if (!ContainsName(out, f))
            out << f;
    std::sort(out.begin(), out.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}

TFFontDlg::TFFontDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(tr("字体"));
    setFont(DialogFont());

    lbFamily = new QListWidget(this);
    lbFamily->setObjectName(QStringLiteral("lbFamily"));
    lbStyle = new QListWidget(this);
    lbStyle->setObjectName(QStringLiteral("lbStyle"));
    for (const char *s : kStyleNames)
        lbStyle->addItem(tr(s));
    cbSize = new QComboBox(this);
    cbSize->setObjectName(QStringLiteral("cbSize"));
    cbSize->setEditable(true);
    cbSize->setInsertPolicy(QComboBox::NoInsert);
    cbSize->lineEdit()->setValidator(new QIntValidator(1, 999, cbSize));
    for (int s : kSizes)
        cbSize->addItem(QString::number(s));

    auto *lists = new QGridLayout;
    auto caption = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    lists->addWidget(caption(tr("字体(&F):"), lbFamily), 0, 0);
    lists->addWidget(caption(tr("字形(&Y):"), lbStyle), 0, 1);
    lists->addWidget(caption(tr("大小(&S):"), cbSize), 0, 2);
    lists->addWidget(lbFamily, 1, 0);
    lists->addWidget(lbStyle, 1, 1, Qt::AlignTop);
    lists->addWidget(cbSize, 1, 2, Qt::AlignTop);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 2);
    lists->setColumnStretch(2, 1);
    lbFamily->setMinimumWidth(180);
    lbStyle->setMinimumWidth(90);
    lbStyle->setMaximumHeight(90);

    auto *effects = new QGroupBox(tr("效果"), this);
    auto *ev = new QVBoxLayout(effects);
    cbStrikeOut = new QCheckBox(tr("删除线(&K)"), effects);
    cbStrikeOut->setObjectName(QStringLiteral("cbStrikeOut"));
    cbUnderline = new QCheckBox(tr("下划线(&U)"), effects);
    cbUnderline->setObjectName(QStringLiteral("cbUnderline"));
    cbColor = new QComboBox(effects);
    cbColor->setObjectName(QStringLiteral("cbColor"));
    for (const auto &c : kColors)
        cbColor->addItem(ColorIcon(ColorToQColor(c.color)), tr(c.name), int(c.color));
    cbColor->addItem(tr(kOtherColor));
    ev->addWidget(cbStrikeOut);
    ev->addWidget(cbUnderline);
    ev->addWidget(caption(tr("颜色(&C):"), cbColor));
    ev->addWidget(cbColor);
    ev->addStretch(1);

    auto *sampleBox = new QGroupBox(tr("示例"), this);
    auto *sv = new QVBoxLayout(sampleBox);
    lSample = new QLabel(tr("AaBbYyZz 标签字体"), sampleBox);
    lSample->setObjectName(QStringLiteral("lSample"));
    lSample->setAlignment(Qt::AlignCenter);
    lSample->setMinimumSize(200, 60);
    lSample->setAutoFillBackground(true);
    sv->addWidget(lSample);

    OkayBtn = MakeButton(this, "OkayBtn", tr("确定"), true);
    CancelBtn = MakeButton(this, "CancelBtn", tr("取消"));
    connect(OkayBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *lower = new QHBoxLayout;
    lower->addWidget(effects);
    lower->addWidget(sampleBox, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkayBtn);
    buttons->addWidget(CancelBtn);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(lists, 1);
    outer->addLayout(lower);
    outer->addLayout(buttons);

    connect(lbFamily, &QListWidget::currentRowChanged, this, &TFFontDlg::UpdateSample);
    connect(lbStyle, &QListWidget::currentRowChanged, this, &TFFontDlg::UpdateSample);
    connect(cbSize, &QComboBox::currentTextChanged, this, &TFFontDlg::UpdateSample);
    connect(cbStrikeOut, &QCheckBox::toggled, this, &TFFontDlg::UpdateSample);
    connect(cbUnderline, &QCheckBox::toggled, this, &TFFontDlg::UpdateSample);
    connect(cbColor, &QComboBox::activated, this, &TFFontDlg::ColorChosen);
    connect(cbColor, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (cbColor->itemText(i) != tr(kOtherColor))
            lastColorIndex_ = i;
        UpdateSample();
    });
}

void TFFontDlg::SelectColor(TColor c)
{
    int index = cbColor->findData(int(c));
    if (index < 0) {
        // A colour of its own: listed before "其他...".
        index = cbColor->count() - 1;
        cbColor->insertItem(index, ColorIcon(ColorToQColor(c)), tr("自定义"), int(c));
    }
    cbColor->setCurrentIndex(index);
}

void TFFontDlg::ColorChosen(int index)
{
    if (cbColor->itemText(index) != tr(kOtherColor))
        return;
    const TColor current = TColor(cbColor->itemData(lastColorIndex_).toInt());
    const QColor c = QColorDialog::getColor(ColorToQColor(current), this);
    if (c.isValid())
        SelectColor(QColorToColor(c));
    else
        cbColor->setCurrentIndex(lastColorIndex_);
}

bool TFFontDlg::Execute(TItemFont &font)
{
    start_ = font;
    const QFont &f = font.Font;

    QStringList families = Families();
    // The item's own face stays choosable even when it is neither installed
    // nor mapped: OK must not swap it for another.
    if (!ContainsName(families, f.family()))
        families.prepend(f.family());
    {
        const QSignalBlocker a(lbFamily), b(lbStyle), c(cbSize), d(cbStrikeOut), e(cbUnderline), g(cbColor);
        lbFamily->clear();
        lbFamily->addItems(families);
        const auto exact = lbFamily->findItems(f.family(), Qt::MatchFixedString);
        if (!exact.isEmpty())
            lbFamily->setCurrentItem(exact.first());
        lbStyle->setCurrentRow(StyleRow(f.bold(), f.italic()));
        cbSize->setEditText(QString::number(PointSize(f)));
        const int sizeRow = cbSize->findText(QString::number(PointSize(f)));
        if (sizeRow >= 0)
            cbSize->setCurrentIndex(sizeRow);
        cbStrikeOut->setChecked(f.strikeOut());
        cbUnderline->setChecked(f.underline());
        while (cbColor->count() > int(std::size(kColors)) + 1)
            cbColor->removeItem(int(std::size(kColors)));
        SelectColor(font.Color);
        lastColorIndex_ = cbColor->currentIndex();
    }
    UpdateSample();
    if (lbFamily->currentItem())
        lbFamily->scrollToItem(lbFamily->currentItem(), QAbstractItemView::PositionAtCenter);

    if (exec() != QDialog::Accepted)
        return false;
    font = Result();
    return true;
}

TItemFont TFFontDlg::Result() const
{
    // Only what was changed is taken, so an untouched font stays exactly as
    // it was (its face name, weight and every other attribute).
    TItemFont r = start_;
    const QFont &s = start_.Font;
    // Face names are matched without regard to case, as label files name them.
    if (const QListWidgetItem *item = lbFamily->currentItem();
        item && item->text().compare(s.family(), Qt::CaseInsensitive) != 0)
        r.Font.setFamily(item->text());
    const int style = lbStyle->currentRow();
    if (style >= 0 && style != StyleRow(s.bold(), s.italic())) {
        r.Font.setBold(style >= 2);
        r.Font.setItalic(style % 2 == 1);
    }
    bool ok = false;
    const int size = cbSize->currentText().toInt(&ok);
    if (ok && size > 0 && size != PointSize(s))
        r.Font.setPointSize(size);
    if (cbStrikeOut->isChecked() != s.strikeOut())
        r.Font.setStrikeOut(cbStrikeOut->isChecked());
    if (cbUnderline->isChecked() != s.underline())
        r.Font.setUnderline(cbUnderline->isChecked());
    const QVariant color = cbColor->currentData();
    if (color.isValid() && TColor(color.toInt()) != start_.Color)
        r.Color = TColor(color.toInt());
    return r;
}

void TFFontDlg::UpdateSample()
{
    QFont f = Result().Font;
    // The sample at a readable size whatever the chosen one.
    f.setPointSize(qBound(8, PointSize(f), 28));
    lSample->setFont(f);
    QPalette pal = lSample->palette();
    const QVariant color = cbColor->currentData();
    const TColor c = color.isValid() ? TColor(color.toInt()) : start_.Color;
    pal.setColor(QPalette::WindowText, ColorToQColor(c));
    // White letters on a white sample would not show.
    pal.setColor(QPalette::Window, c == clWhite ? QColor(Qt::darkGray) : QColor(Qt::white));
    lSample->setPalette(pal);
}
