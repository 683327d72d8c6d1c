#pragma once
// The symbology list of the properties panel: a drop-down whose entries are
// the designer's list in its order (entry i is list index i), opened as the
// symbologies grouped by family under a search box.

#include <QComboBox>

class QFrame;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class TSymbologyCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TSymbologyCombo(QWidget *parent = nullptr);

    void showPopup() override;
    void hidePopup() override;
    // The grouped list shown by showPopup, and its search box.
    QFrame *Popup() const { return popup_; }
    QLineEdit *SearchBox() const { return search_; }

    // Whether a symbology's caption or command-line name holds `text`, any case.
    static bool Matches(int listIndex, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Filter(const QString &text);
    // Moves the highlight among the visible symbologies by `step` rows.
    void Step(int step);
    void Pick(QTreeWidgetItem *item);
    QList<QTreeWidgetItem *> VisibleEntries() const;

    QFrame *popup_;
    QLineEdit *search_;
    QTreeWidget *tree_;
};

// The engine's reason why a barcode cannot hold `text`, said in the user's
// language: which character of it, and what the symbology takes instead, when
// the reason is a character it has no place for.
QString ExplainBarcodeError(const QString &error, const QString &text, const QString &symbology);
