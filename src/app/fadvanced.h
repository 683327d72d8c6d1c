#pragma once
// The editor of an item's composed text: the ordered list of parts on the
// right, and on the left one group of fields per kind of part.

#include "model/advanced.h"

#include <QDialog>
#include <QListWidget>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TLeaveWatcher;

// The parts list: an entry dragged within it is placed just before the entry
// it is dropped on, or at the end when dropped below the last entry.
class TPartListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TPartListBox(QWidget *parent = nullptr);
    static const QString MimeType;
    // Moves the selected entry to where a drop at pos (viewport coordinates)
    // puts it.
    void MoveSelectedTo(const QPoint &pos);

protected:
    void startDrag(Qt::DropActions actions) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
};

class TFAdvanced : public QDialog {
    Q_OBJECT
public:
    explicit TFAdvanced(QWidget *parent = nullptr);
    ~TFAdvanced() override;

    // Edits copies of the parts; on OK fields becomes the list's parts in the
    // list's order and true is returned. On Cancel fields and every part in it
    // stay exactly as they were.
    bool Execute(TFieldList &fields);

    // The date help window's text.
    static QString DateHelpText();

    TPartListBox *lFields;
    QRadioButton *rbText, *rbField, *rbSequence, *rbDate;
    QLineEdit *eText, *eFieldNum, *eFieldMinSize, *ePadChar;
    QLineEdit *eCurVal, *eMinVal, *eMaxVal, *eSeqMinSize, *eDate;
    QToolButton *sbDateHelp;
    QPushButton *AddBtn, *SubBtn, *SubAllBtn, *OKBtn, *CancelBtn;

    // Leave rules, run when the focus moves on from a field.
    void eFieldNumExit();
    void eFieldMinSizeExit();
    void ePadCharExit();
    void eCurValExit();
    void eMinValExit();
    void eMaxValExit();
    void eSeqMinSizeExit();
    void eDateExit();

    void AddBtnClick();
    void SubBtnClick();
    void SubAllBtnClick();
    void sbDateHelpClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void lFieldsClick();
    void UpdateEnabling();
    void ChangeSelected();
    TAdvancedField *PartOf(QListWidgetItem *entry) const;
    TAdvancedField *SelectedPart() const;
    QListWidgetItem *AppendEntry(std::unique_ptr<TAdvancedField> part, const QString &text);
    QString EditedEntryText(const TAdvancedField &f) const;
    void ReadFields(TAdvancedField &f) const;
    void WarnAndRefocus(QLineEdit *field, const QString &text);

    QButtonGroup *kinds_;
    TLeaveWatcher *leave_;
    TFieldList parts_;   // every part made while the dialog is open
    bool filling_ = false;
};
