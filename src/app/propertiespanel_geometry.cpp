// The panel's position, size and rotation: typed in the label's unit, applied
// with Enter (or on leaving the field), put back with Esc.
#include "app/propertiespanel.h"

#include "canvas/canvaslabel.h"
#include "model/itemproperties.h"
#include "model/labelformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <cmath>

namespace {

// A field whose Esc puts the shown value back instead of reaching the window.
class TGeometryEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<void()> OnEscape;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_Escape && OnEscape) {
            OnEscape();
            e->accept();
            return;
        }
        QLineEdit::keyPressEvent(e);
    }
};

// Design pixels a unit of the label's format across (or down): the one
// conversion of the rulers and the status bar too.
double PixelsPerUnit(const TCanvasLabel *surface, bool across)
{
    if (!surface)
        return kDefaultDesignDpi;
    return across ? UnitPixelsX(surface->LabelFormat, surface->ScreenDpiX)
                  : UnitPixelsY(surface->LabelFormat, surface->ScreenDpiY);
}

// Enough decimals that every design pixel has its own figure, and a figure
// typed back gives the same pixel: 2 for inches and centimetres, 1 for a unit
// of fewer than 10 pixels.
int Decimals(double perUnit)
{
    int d = 1;
    while (std::pow(10.0, d) <= perUnit && d < 4)
        ++d;
    return d;
}

const char *const kFieldNames[4] = {"eGeometryX", "eGeometryY", "eGeometryW", "eGeometryH"};

} // namespace

QWidget *TPropertiesPanel::BuildGeometry()
{
    pGeometry = new QWidget(this);
    pGeometry->setObjectName(QStringLiteral("pGeometry"));
    auto *grid = new QGridLayout(pGeometry);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(4);
    static const char *const captions[4] = {"X", "Y", QT_TR_NOOP("宽"), QT_TR_NOOP("高")};
    static const char *const captionNames[4] = {"LGeometryX", "LGeometryY", "LGeometryW", "LGeometryH"};
    for (int i = 0; i < 4; ++i) {
        auto *caption = new QLabel(i < 2 ? QString::fromLatin1(captions[i]) : tr(captions[i]), pGeometry);
        caption->setObjectName(QString::fromLatin1(captionNames[i]));
        auto *field = new TGeometryEdit(pGeometry);
        field->setObjectName(QString::fromLatin1(kFieldNames[i]));
        field->setToolTip(i < 2 ? tr("位置（标签的单位），回车应用，Esc 还原")
                                : tr("大小（标签的单位），回车应用，Esc 还原"));
        field->OnEscape = [this, field] {
            field->setModified(false);
            RefreshGeometry();
        };
        connect(field, &QLineEdit::editingFinished, this, [this, i] { ApplyGeometryField(i); });
        geometryFields_[i] = field;
        grid->addWidget(caption, i / 2, (i % 2) * 2);
        grid->addWidget(field, i / 2, (i % 2) * 2 + 1);
    }
    auto *rotation = new QLabel(tr("旋转"), pGeometry);
    rotation->setObjectName(QStringLiteral("LRotation"));
    cbRotation = new QComboBox(pGeometry);
    cbRotation->setObjectName(QStringLiteral("cbRotation"));
    for (const char *angle : {"0°", "90°", "180°", "270°"})
        cbRotation->addItem(QString::fromUtf8(angle));
    connect(cbRotation, &QComboBox::activated, this, &TPropertiesPanel::ApplyRotation);
    grid->addWidget(rotation, 2, 0);
    grid->addWidget(cbRotation, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    RefreshGeometry();
    return pGeometry;
}

void TPropertiesPanel::RefreshGeometry()
{
    if (!pGeometry)
        return;
    TLabelControl *item = Item();
    // Several items show the box around them all, for reading only.
    const QList<TLabelControl *> selected = surface_ ? surface_->SelectedItems() : QList<TLabelControl *>();
    const bool several = item && selected.size() > 1 && selected.contains(item);
    TRect box = item ? item->BoundsRect() : TRect{};
    if (several)
        for (const TLabelControl *other : selected) {
            const TRect r = other->BoundsRect();
            box = {qMin(box.Left, r.Left), qMin(box.Top, r.Top), qMax(box.Right, r.Right), qMax(box.Bottom, r.Bottom)};
        }
    const double ux = PixelsPerUnit(surface_, true), uy = PixelsPerUnit(surface_, false);
    const int values[4] = {box.Left, box.Top, box.width(), box.height()};
    // An auto-sized text or barcode takes the size of its drawing.
    const bool sized = item && !(item->AutoSize && (item->Kind == ikText || item->Kind == ikBarcode));
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    for (int i = 0; i < 4; ++i) {
        QLineEdit *field = geometryFields_[i];
        const double unit = i % 2 ? uy : ux;
        field->setEnabled(item && !several && (i < 2 || sized));
        // What is being typed stays until Enter or Esc (a redrawn item may
        // report its box meanwhile).
        if (item && field->hasFocus() && field->isModified())
            continue;
        field->setText(item ? loc.toString(values[i] / unit, 'f', Decimals(unit)) : QString());
    }
    cbRotation->setCurrentIndex(item ? item->Rotation % 4 : 0);
    cbRotation->setEnabled(item && !several && item->Kind != ikShape);
    // A flip from the menus shows in its check box too.
    if (item)
        for (const TBoundCheck &c : checks_)
            if (const TItemProperty *row = FindProperty(item->Kind, c.Key))
                c.Box->setChecked(row->Get(*item) != 0);
}

void TPropertiesPanel::ApplyGeometryField(int field)
{
    QLineEdit *edit = geometryFields_[field];
    TLabelControl *item = Item();
    // Leaving a field that was not typed in changes nothing.
    if (!item || !edit->isEnabled() || !edit->isModified()) {
        RefreshGeometry();
        return;
    }
    edit->setModified(false);
    bool ok = false;
    double value = QLocale().toDouble(edit->text().trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    const int pixels = ok ? Round(value * PixelsPerUnit(surface_, field % 2 == 0)) : 0;
    const int now[4] = {item->Left, item->Top, item->Width, item->Height};
    if (!ok || !std::isfinite(value) || pixels == now[field]) {
        RefreshGeometry();
        return;
    }
    TItemEdit step = BeginEdit(item);
    switch (field) {
    case 0: item->SetLeft(pixels); break;
    case 1: item->SetTop(pixels); break;
    case 2: item->SetWidth(pixels); break;
    default: item->SetHeight(pixels); break;
    }
    Record(step, field < 2 ? QT_TR_NOOP("移动") : QT_TR_NOOP("调整大小"));
    RefreshState();
    // What the label's edge allowed.
    RefreshGeometry();
}

void TPropertiesPanel::ApplyRotation(int index)
{
    TLabelControl *item = Item();
    if (!item || index < 0 || index == item->Rotation % 4) {
        RefreshGeometry();
        return;
    }
    TItemEdit step = BeginEdit(item);
    item->SetRotation(index);
    Record(step, QT_TR_NOOP("旋转"));
    RefreshState();
    RefreshGeometry();
}
