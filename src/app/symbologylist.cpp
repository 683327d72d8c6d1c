// The symbology drop-down: grouped by family, searched as one types.
#include "app/symbologylist.h"

#include "barcode/barcode.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kListIndexRole = Qt::UserRole;

} // namespace

TSymbologyCombo::TSymbologyCombo(QWidget *parent) : QComboBox(parent)
{
    for (int i = 0; i < kSymbologyCount; ++i) {
        addItem(BarcodeListCaption(i));
        if (const TSymbology *row = SymbologyAtListIndex(i))
            setItemData(i, QString::fromLatin1(row->cliName), Qt::ToolTipRole);
    }

    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("pBarcodeTypes"));
    popup_->setFrameShape(QFrame::StyledPanel);
    auto *v = new QVBoxLayout(popup_);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    search_ = new QLineEdit(popup_);
    search_->setObjectName(QStringLiteral("eBarcodeSearch"));
    search_->setPlaceholderText(tr("搜索名称"));
    search_->setClearButtonEnabled(true);
    tree_ = new QTreeWidget(popup_);
    tree_->setObjectName(QStringLiteral("lbBarcodeTypes"));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setIndentation(12);
    tree_->setUniformRowHeights(true);
    // The highlight follows the search box's keys; the list itself never takes the focus.
    tree_->setFocusPolicy(Qt::NoFocus);
    v->addWidget(search_);
    v->addWidget(tree_, 1);

    QTreeWidgetItem *families[kSymbologyFamilyCount] = {};
    for (int f = 0; f < kSymbologyFamilyCount; ++f) {
        auto *family = new QTreeWidgetItem(tree_, {SymbologyFamilyCaption(TSymbologyFamily(f))});
        family->setFlags(Qt::ItemIsEnabled);
        QFont bold = family->font(0);
        bold.setBold(true);
        family->setFont(0, bold);
        families[f] = family;
    }
    for (int i = 0; i < kSymbologyCount; ++i) {
        const TSymbology *row = SymbologyAtListIndex(i);
        if (!row)
            continue;
        auto *entry = new QTreeWidgetItem(families[int(row->family) % kSymbologyFamilyCount], {row->Caption()});
        entry->setData(0, kListIndexRole, i);
        entry->setToolTip(0, QString::fromLatin1(row->cliName));
    }
    for (QTreeWidgetItem *family : families)
        if (family->childCount() == 0)
            delete family;
    tree_->expandAll();

    search_->installEventFilter(this);
    connect(search_, &QLineEdit::textChanged, this, &TSymbologyCombo::Filter);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { Pick(item); });
}

bool TSymbologyCombo::Matches(int listIndex, const QString &text)
{
    const TSymbology *row = SymbologyAtListIndex(listIndex);
    const QString t = text.trimmed();
    return row && (t.isEmpty() || row->Caption().contains(t, Qt::CaseInsensitive)
                   || QLatin1String(row->cliName).contains(t, Qt::CaseInsensitive));
}

void TSymbologyCombo::showPopup()
{
    search_->clear();
    Filter({});
    for (QTreeWidgetItem *entry : VisibleEntries())
        if (entry->data(0, kListIndexRole).toInt() == currentIndex()) {
            tree_->setCurrentItem(entry);
            tree_->scrollToItem(entry, QAbstractItemView::PositionAtCenter);
        }
    const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    // Below the box, or above it when there is more room there; as tall as the room allows.
    const int top = mapToGlobal(QPoint(0, 0)).y();
    const int below = screen.bottom() - (top + height()), above = top - screen.top();
    const bool down = below >= 380 || below >= above;
    const QSize size(qMax(width(), 240), qMax(120, qMin(380, down ? below : above)));
    QPoint at(mapToGlobal(QPoint(0, 0)).x(), down ? top + height() : top - size.height());
    at.setX(qBound(screen.left(), at.x(), qMax(screen.left(), screen.right() - size.width())));
    popup_->setGeometry(QRect(at, size));
    popup_->show();
    search_->setFocus(Qt::PopupFocusReason);
}

void TSymbologyCombo::hidePopup()
{
    popup_->hide();
}

QList<QTreeWidgetItem *> TSymbologyCombo::VisibleEntries() const
{
    QList<QTreeWidgetItem *> out;
    for (int f = 0; f < tree_->topLevelItemCount(); ++f) {
        QTreeWidgetItem *family = tree_->topLevelItem(f);
        for (int c = 0; c < family->childCount(); ++c)
            if (!family->child(c)->isHidden())
                out.append(family->child(c));
    }
    return out;
}

void TSymbologyCombo::Filter(const QString &text)
{
    for (int f = 0; f < tree_->topLevelItemCount(); ++f) {
        QTreeWidgetItem *family = tree_->topLevelItem(f);
        bool any = false;
        for (int c = 0; c < family->childCount(); ++c) {
            QTreeWidgetItem *entry = family->child(c);
            const bool shown = Matches(entry->data(0, kListIndexRole).toInt(), text);
            entry->setHidden(!shown);
            any = any || shown;
        }
        family->setHidden(!any);
    }
    // The first match is what Enter takes.
    const QList<QTreeWidgetItem *> entries = VisibleEntries();
    tree_->setCurrentItem(entries.isEmpty() ? nullptr : entries.first());
    if (!entries.isEmpty())
        tree_->scrollToItem(entries.first());
}

void TSymbologyCombo::Step(int step)
{
    const QList<QTreeWidgetItem *> entries = VisibleEntries();
    if (entries.isEmpty())
        return;
    const int at = entries.indexOf(tree_->currentItem());
    const int to = at < 0 ? 0 : qBound(0, at + step, int(entries.size()) - 1);
    tree_->setCurrentItem(entries[to]);
    tree_->scrollToItem(entries[to]);
}

void TSymbologyCombo::Pick(QTreeWidgetItem *item)
{
    if (!item || !item->data(0, kListIndexRole).isValid())
        return;
    hidePopup();
    setCurrentIndex(item->data(0, kListIndexRole).toInt());
    setFocus(Qt::PopupFocusReason);
}

bool TSymbologyCombo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int page = qMax(1, tree_->viewport()->height() / qMax(1, tree_->sizeHintForRow(0)) - 1);
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Down:
            Step(1);
            return true;
        case Qt::Key_Up:
            Step(-1);
            return true;
        case Qt::Key_PageDown:
            Step(page);
            return true;
        case Qt::Key_PageUp:
            Step(-page);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Pick(tree_->currentItem());
            return true;
        case Qt::Key_Escape:
            hidePopup();
            setFocus(Qt::PopupFocusReason);
            return true;
        default:
            break;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

QString ExplainBarcodeError(const QString &error, const QString &text, const QString &symbology)
{
    // libzint numbers its messages ("Error 326: ..."); the number tells the user nothing.
    static const QRegularExpression numbered(QStringLiteral("^(?:Error|Warning)\\s+\\d+:\\s*"));
    // The engine names the symbology first ("ITF-14: Error 312: ...").
    const QString named = symbology + QLatin1String(": ");
    const QString prefix = error.startsWith(named) ? named : QString();
    QString reason = error.mid(prefix.size());
    reason.remove(numbered);
    // "Invalid character in data (digits and "-" only)": the characters it takes.
    static const QRegularExpression invalid(QStringLiteral("^Invalid character in (?:input )?data \\((.*) only\\)$"));
    const QRegularExpressionMatch m = invalid.match(reason);
    if (!m.hasMatch())
        return prefix + reason;
    const QString takes = m.captured(1);
    QString chars;
    QStringList parts;
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (auto it = quoted.globalMatch(takes); it.hasNext();) {
        const QString set = it.next().captured(1);
        chars += set;
        parts << QStringLiteral("“%1”").arg(set);
    }
    bool digits = false, letters = false, space = false;
    if (takes.contains(QLatin1String("digits"))) {
        digits = true;
        parts.prepend(TSymbologyCombo::tr("数字"));
    }
    if (takes.contains(QLatin1String("alphanumerics"))) {
        digits = letters = true;
        parts.prepend(TSymbologyCombo::tr("字母和数字"));
    }
    if (takes.contains(QLatin1String("space"))) {
        space = true;
        parts << TSymbologyCombo::tr("空格");
    }
    if (parts.isEmpty())
        return prefix + reason;
    const auto allowed = [&](QChar c) {
        return chars.contains(c) || (digits && c.isDigit() && c.unicode() < 128)
               || (letters && c.isLetter() && c.unicode() < 128) || (space && c == QLatin1Char(' '));
    };
    const QString sep = TSymbologyCombo::tr("、");
    for (int i = 0; i < text.size(); ++i)
        if (!allowed(text[i]))
            return TSymbologyCombo::tr("第%1个字符“%2”不能用于%3：只能是%4")
                .arg(i + 1)
                .arg(text[i])
                .arg(symbology, parts.join(sep));
    return TSymbologyCombo::tr("%1只能包含%2").arg(symbology, parts.join(sep));
}
