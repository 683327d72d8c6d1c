#pragma once
// The text import wizard: shows the first lines of a data file split into
// fields and lets the user choose how records are split. The record reader
// of the print job splits with the settings it shows.

#include "data/dataimport.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QTableWidget;

class TFTextImport : public QDialog {
    Q_OBJECT
public:
    explicit TFTextImport(QWidget *parent = nullptr);

    // Reads the file's first lines, picks the format by its extension and
    // shows the wizard; true when closed with OK. False, after a message,
    // when the file cannot be read.
    bool Execute(const QString &fileName);

    // The splitting the wizard shows now.
    TSplitSettings SplitSettings() const;
    // The encoding chosen in the preview; none: detected from the file.
    std::optional<TTextEncoding> ChosenEncoding() const;
    void SetChosenEncoding(std::optional<TTextEncoding> encoding);
    // The sheet chosen for a spreadsheet: its name (its number when it has
    // none); empty unless fileName is the spreadsheet last shown.
    QString SheetChoice(const QString &fileName) const;

    // Asks for a new column's size; false when the user cancels. Replaceable
    // (tests answer without a window).
    std::function<bool(QWidget *parent, QString &answer)> AskColumnSize;

    QStringList SampleLines;
    // The data file's encoding: fixed widths count its bytes.
    TTextEncoding SampleEncoding = TTextEncoding::Gb18030;
    QList<int> ColumnSizes;

    QGroupBox *rgFileFormat;
    QRadioButton *rbCommaDel, *rbTabDel, *rbCustomDel, *rbFixed;
    QLabel *LFieldSeparator, *LQuoteChar, *LColumnSize, *LFixedInstr;
    QLineEdit *eFieldSeparator, *eQuoteChar, *eColumnSize;
    QCheckBox *cbIgnoreHeader, *cbLtrim, *cbRTrim;
    // A spreadsheet shows its sheets instead of the splitting controls.
    QLabel *LSheet;
    QComboBox *cbSheet;
    QString SpreadsheetFile;          // empty for a text file
    QString TextFile;                 // the text file shown, empty for a spreadsheet
    // The text file's encoding: detected, or the user's choice.
    QLabel *LEncoding;
    QComboBox *cbEncoding;
    QList<TDataRow> SheetRows;        // the chosen sheet's first rows
    QTableWidget *sgParams;
    QMenu *PopupMenu1;
    QAction *InsertColumn1, *DeleteColumn1;
    QPushButton *OkayBtn, *CancelBtn;

    void FillPreview();
    void InsertColumn1Click();
    void DeleteColumn1Click();
    // The grid column the column commands act on.
    int CurrentColumn() const { return currentColumn_; }
    void SetCurrentColumn(int c);

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormatChosen(QRadioButton *button);
    void UpdateFormatControls();
    void ShowColumnSize();
    void eColumnSizeChange();
    void ResetFixedColumns();
    bool ReadSheetRows();
    // Reads the text file's first lines in the chosen encoding; false after a message.
    bool ReadSamples(const QString &fileName);

    int currentColumn_ = 0;
    bool UpdatingSize = false;
    bool filling_ = false;
};
