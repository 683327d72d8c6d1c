#pragma once
// The stock chooser of the label format dialog: makers' label sheets,
// grouped by paper, searchable, with a picture of the chosen sheet.

#include "printing/stocksheets.h"

#include <QDialog>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The paper and its grid of labels, drawn to scale.
class TStockPreview : public QWidget {
public:
    explicit TStockPreview(QWidget *parent = nullptr);
    void SetSheet(const TStockSheet *sheet);
    QSize sizeHint() const override { return {150, 190}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    const TStockSheet *sheet_ = nullptr;
};

class TFStockChooser : public QDialog {
    Q_OBJECT
public:
    explicit TFStockChooser(const QList<TStockSheet> &sheets, QWidget *parent = nullptr);

    // The sheet picked, when the dialog was closed with OK.
    const TStockSheet *Chosen() const;
    // Shows only the sheets every word of text is found in.
    void Filter(const QString &text);
    // Selects the sheet of that name; false when it is not listed.
    bool Select(const QString &name);

    QLineEdit *eSearch;
    QTreeWidget *tvSheets;
    TStockPreview *preview;
    QLabel *lDetails;
    QLabel *lMatches; // how many sheets the search shows
    QPushButton *btnOk, *btnCancel;

private:
    void CurrentChanged();
    const TStockSheet *SheetOf(const QTreeWidgetItem *item) const;

    const QList<TStockSheet> &sheets_;
};
