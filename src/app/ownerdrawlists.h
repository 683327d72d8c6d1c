#pragma once
// The owner-drawn lists of the properties panel: pen widths and brush styles.

#include <QComboBox>
#include <QStyledItemDelegate>

// Name of a stored brush style ("Solid" ... "DiagCross", "???" otherwise).
QString BrushStyleName(int style);

// Entry i is pen width i + 1: a black line with the width as a number.
class TPenSizeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// Entry i is brush style i: its name and a sample filled in black.
class TBrushStyleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// A drop-down list whose closed face is drawn by its item delegate too.
class TOwnerDrawCombo : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent *) override;
};
