#pragma once
// The print dialog: labels per page, printer set-up, the data file, the
// range and the copies; OK runs the print job.

#include "printing/printengine.h"

#include <QDialog>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TFPrintProgress;
class TFSqlSource;
class TFTextImport;
class TItemContainer;
class TLeaveWatcher;

class QSpinBox;

// The page's label positions drawn to scale; a click picks the first free
// label of a part-used sheet, those before it are drawn as used.
class TSheetGrid : public QWidget {
    Q_OBJECT
public:
    explicit TSheetGrid(QWidget *parent);
    void SetLayout(const TSheetLayout &layout);
    int First() const { return first_; }
    void SetFirst(int first);
    int PositionCount() const { return int(rects_.size()); }
    // Position i (from 0) in the widget's coordinates.
    QRect PositionRect(int i) const;
    QSize sizeHint() const override { return {150, 180}; }

signals:
    void FirstChosen(int first);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRectF Paper() const; // the page in the widget
    QSizeF paper_;        // printer pixels
    QList<QRectF> rects_; // printer pixels from the paper's corner
    int first_ = 1;
};

class TFPrintDlg : public QDialog {
    Q_OBJECT
public:
    TFPrintDlg(QWidget *parent, TFTextImport *wizard, TFPrintProgress *progress);
    // At start-up the wizard and the progress window are created after this
    // dialog; they are handed over once they exist.
    void SetForms(TFTextImport *wizard, TFPrintProgress *progress)
    {
        wizard_ = wizard;
        progress_ = progress;
    }

    // Opens the dialog for the label's items; on OK runs the job and returns
    // true (the job's outcome is in LastResult).
    bool Execute(TItemContainer &label);
    // The print preview of the job the choices as they stand make; when 打印
    // is chosen there, runs that job and returns true.
    bool Preview(TItemContainer &label);

    // The printer a job prints on (a new one per job).
    std::function<std::unique_ptr<TPrinterDevice>()> DeviceFactory;
    // Shows the platform's printer set-up dialog; true when confirmed.
    std::function<bool(QWidget *parent)> PrinterSetup;
    // Reads the selected printer's measurements; false when there is none
    // (the last ones read then stand).
    std::function<bool(TPrinterMetrics &)> PrinterMetrics;
    // The current label file, which names the print document.
    std::function<QString()> LabelFileName;
    // Raised with true before a job starts and with false after it ended; the
    // label's items must not change in between.
    std::function<void(bool running)> OnJobRunning;
    // Picks a data file; an empty name when cancelled. Replaceable for tests.
    std::function<QString(QWidget *parent)> ChooseDataFile;
    // The wizard changed the label's data encoding (the label is to be saved).
    std::function<void()> OnDataEncodingChanged;

    // Roll labels and calibration: the selected printer's name (empty for a
    // PDF file), the calibration a job to it prints with, and the calibration
    // dialog on it.
    std::function<QString()> PrinterName;
    std::function<TCalibration()> JobCalibration;
    std::function<void(QWidget *parent)> Calibrate;

    static bool JobRunning();

    // The choices as they stand.
    TPrintChoices Choices() const;
    TPrintResult LastResult = TPrintResult::Printed;
    QString LastMessage;

    QLabel *lColumns, *lRows, *LLabels, *Label1;
    QPushButton *btnPrinterSetup, *BrowseBtn, *OkayBtn, *CancelBtn;
    QPushButton *PreviewBtn;
    QLineEdit *eFile, *ePages, *eLabels, *eCopies;
    QGroupBox *GroupBox1, *GroupBox2;
    QRadioButton *rbAllRange, *rbPageRange, *rbLabelRange, *rbSingleLabel, *rbMultipleLabel;
    // The data source: a file (eFile) or a database query (eSqlSource, chosen
    // with SqlBtn in the query dialog).
    QRadioButton *rbFileSource, *rbSqlSource;
    QLineEdit *eSqlSource;
    QPushButton *SqlBtn;
    // The query dialog; replaceable for tests.
    std::function<bool(QWidget *parent, QString *url, QString *query)> ChooseSqlSource;
    void SqlBtnClick();
    void SetSqlSource(const QString &url, const QString &query);
    QLabel *lRollMedia;
    // Prints a sheet label one a page, the page the label alone (hidden for
    // a roll label).
    QCheckBox *chkRoll;
    QPushButton *btnCalibration;
    // How many labels each record prints, from a column of the source.
    QCheckBox *chkQuantity;
    QComboBox *cbQuantityColumn;
    // Rows or columns of the label's sheet that the paper cannot hold.
    QLabel *lPaperShortfall;
    // Start on label N of a part-used sheet: the grid to click, the number.
    QGroupBox *gbFirstLabel;
    TSheetGrid *gridFirstLabel;
    QSpinBox *spFirstLabel;

    // Pages from eFirstPage to ePages; records from eFirstRecord to
    // eLastRecord (empty: to the last), with a data source only; copies
    // collated.
    QLineEdit *eFirstPage, *eFirstRecord, *eLastRecord;
    QCheckBox *chkRecords, *chkCollate;
    // Alignment aids: the labels' outlines, crop marks, the page mirrored.
    QCheckBox *chkOutline, *chkCropMarks, *chkMirror;

    void PrinterSetupClick();
    void CalibrationClick();
    void BrowseBtnClick();
    void eFileExit();
    void OkayBtnClick();
    void PreviewBtnClick();
    void UpdateLayoutCaptions();

private:
    void NumberExit(QLineEdit *field);
    bool RunWizard(const QString &fileName);
    // Runs the job on the device taken (or one asked for now); false when
    // none was chosen (the PDF file chooser was cancelled).
    bool RunJob(TItemContainer &label);
    // Asks for the job's device while the dialog is still open, so that a
    // cancelled PDF file chooser leaves the person in it; false then.
    bool TakeDevice();
    // Repairs the field being left and checks the data file; false after
    // telling the user what is wrong.
    bool ChoicesReady();
    // Shows the preview; true when 打印 was chosen there.
    bool ShowPreview(TItemContainer &label);
    // The printer's measurements read again (kept when there is none).
    void ReadPrinterMetrics();
    // Asks for the values the label's parts ask for (none: nothing to ask);
    // false when cancelled. The values given are remembered for the label.
    bool AskValues();
    // The quantity row follows the data source: usable only with one, and
    // offering its column names.
    void UpdateQuantityRow();
    void FillQuantityColumns(const QStringList &names);
    void BuildFirstLabelBox();
    void ReadQuantityColumns();
    void AddRangeControls();
    void UpdateRangeRows();
    bool imported_ = false;
    QHash<QString, QString> answers_;
    TItemContainer *label_ = nullptr; // while the dialog is open
    QString dataEncoding_;            // the label's, as the job takes it
    TPrinterMetrics metrics_{0, 0};   // as last read; unknown (all 0) until then
    std::unique_ptr<TPrinterDevice> device_;

    TFTextImport *wizard_;
    TFPrintProgress *progress_;
    TLeaveWatcher *leave_;
    TFSqlSource *sqlDialog_ = nullptr;
    QString sqlUrl_, sqlQuery_;
};
