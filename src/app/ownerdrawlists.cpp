#include "app/ownerdrawlists.h"

#include "model/items.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

QString BrushStyleName(int style)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("TPropertiesPanel", "Solid"),     QT_TRANSLATE_NOOP("TPropertiesPanel", "Clear"),
        QT_TRANSLATE_NOOP("TPropertiesPanel", "Horizontal"), QT_TRANSLATE_NOOP("TPropertiesPanel", "Vertical"),
        QT_TRANSLATE_NOOP("TPropertiesPanel", "FDiagonal"), QT_TRANSLATE_NOOP("TPropertiesPanel", "BDiagonal"),
        QT_TRANSLATE_NOOP("TPropertiesPanel", "Cross"),     QT_TRANSLATE_NOOP("TPropertiesPanel", "DiagCross")};
    if (style < 0 || style >= int(std::size(names)))
        return QStringLiteral("???");
    return QCoreApplication::translate("TPropertiesPanel", names[style]);
}

namespace {

void FillEntryBackground(QPainter *painter, const QStyleOptionViewItem &option)
{
    const bool selected = option.state & QStyle::State_Selected;
    QColor back = option.palette.color(QPalette::Base);
    if (selected) {
        // Where the highlight and the window colour coincide, the entry would
        // not show as chosen; take the next lighter 3-D shade then.
        back = option.palette.color(QPalette::Light);
        if (back == option.palette.color(QPalette::Base))
            back = option.palette.color(QPalette::Midlight);
    }
    painter->fillRect(option.rect, back);
}

} // namespace

void TPenSizeDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    painter->save();
    FillEntryBackground(painter, option);
    const QRect r = option.rect;
    const int width = index.row() + 1;
    const QFontMetrics fm(option.font);
    const int midY = r.top() + r.height() / 2;
    const int lineEnd = r.right() + 1 - fm.horizontalAdvance(QStringLiteral("8888"));
    QPen pen(Qt::black, width, Qt::SolidLine, Qt::SquareCap);
    painter->setPen(pen);
    painter->drawLine(r.left(), midY, lineEnd, midY);
    const QString num = QString::number(width);
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    const int tx = r.right() + 1 - (fm.horizontalAdvance(num) + 4);
    painter->drawText(QRect(tx, r.top(), fm.horizontalAdvance(num) + 4, r.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, num);
    painter->restore();
}

QSize TPenSizeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {100, qMax(QFontMetrics(option.font).height() + 2, 16)};
}

void TBrushStyleDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    painter->save();
    FillEntryBackground(painter, option);
    const QRect r = option.rect;
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, BrushStyleName(index.row()));
    const QRect sample(r.right() + 1 - 25, r.top() + 1, 25, r.height() - 2);
    painter->setBrush(QBrush(Qt::black, ToQtBrushStyle(index.row())));
    painter->setPen(QPen(Qt::black, 1));
    painter->drawRect(sample.adjusted(0, 0, -1, -1));
    painter->restore();
}

QSize TBrushStyleDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {100, qMax(QFontMetrics(option.font).height() + 2, 16)};
}

void TOwnerDrawCombo::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0 || !itemDelegate())
        return;
    QStyleOptionViewItem item;
    item.initFrom(this);
    item.rect = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    item.font = font();
    item.state &= ~QStyle::State_Selected;
    itemDelegate()->paint(&painter, item, model()->index(currentIndex(), modelColumn(), rootModelIndex()));
}
