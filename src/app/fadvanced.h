#pragma once
// The editor of an item's composed text: the ordered list of parts on the
// right, and on the left one group of fields per kind of part.

#include "model/advanced.h"

#include <QDialog>
#include <QListWidget>
#include <utility>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimeEdit;
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

signals:
    void Moved();

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

    // The column names the data source's header offers for named columns
    // (kept until set again; empty when the source has none).
    void SetColumnNames(const QStringList &names);

    // The date help window's text.
    static QString DateHelpText();

    TPartListBox *lFields;
    // The composed text of the list's parts as the designer shows it.
    QLineEdit *lSample;
    QRadioButton *rbText, *rbField, *rbSequence, *rbDate, *rbAsk, *rbCheck;
    QLineEdit *eText, *eFieldNum, *eFieldMinSize, *ePadChar;
    QComboBox *cbFieldName;
    QLineEdit *eCurVal, *eMinVal, *eMaxVal, *eSeqMinSize, *eDate;
    QSpinBox *seStep, *seRepeat;
    QComboBox *cbPer, *cbRadix;
    QSpinBox *seOffset;
    QComboBox *cbOffsetUnit, *cbDateSource, *cbTime;
    QLineEdit *eDateSourceName, *eDateIn;
    QTimeEdit *teTime;
    QLineEdit *eAskName, *eAskCaption, *eAskDefault, *eAskPattern;
    QSpinBox *seAskSize;
    QComboBox *cbCheckScheme;
    QLineEdit *eCheckOver;
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
    void seStepExit();
    void eAskNameExit();
    void eAskPatternExit();
    void eCheckOverExit();

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
    void WarnAndRefocus(QWidget *field, const QString &text);
    // What keeps the fields of the checked kind from making a part: the
    // field to correct and the message, or a null field.
    std::pair<QWidget *, QString> KindProblem() const;
    void UpdateSample();

    QButtonGroup *kinds_;
    TLeaveWatcher *leave_;
    TFieldList parts_;   // every part made while the dialog is open
    bool filling_ = false;
};
