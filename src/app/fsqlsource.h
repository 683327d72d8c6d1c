#pragma once
// The database query dialog of the print dialog: the connection (driver,
// host, port, database, user, password), the query, and a grid with the
// first rows of its result. OK keeps the source only when the query runs.

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class TFSqlSource : public QDialog {
    Q_OBJECT
public:
    explicit TFSqlSource(QWidget *parent);

    // Shows the dialog with the source given (or the last one used); true on
    // OK with *url and *query the chosen source.
    bool Execute(QString *url, QString *query);

    // Fills the fields from a URL (with no password) and a query.
    void SetSource(const QString &url, const QString &query);
    // The URL the fields make (never with a password); empty when they make none.
    QString Url() const;
    QString Query() const;
    // Runs the query and shows its first rows; false with the reason shown.
    bool PreviewClick();
    void OkayBtnClick();

    // Picks an SQLite file; empty when cancelled. Replaceable for tests.
    std::function<QString(QWidget *parent)> ChooseDatabaseFile;

    static constexpr int kPreviewRows = 20;

    QLabel *lRecent, *lDriver, *lHost, *lPort, *lDatabase, *lUser, *lPassword, *lQuery, *lStatus;
    QComboBox *cbRecent, *cbDriver;
    QLineEdit *eHost, *ePort, *eDatabase, *eUser, *ePassword;
    QPushButton *btnBrowseDb, *btnPreview, *OkayBtn, *CancelBtn;
    QCheckBox *cbRemember;
    QPlainTextEdit *eQuery;
    QTableWidget *gridPreview;

private:
    void DriverChanged();
    void RecentChosen(int index);
    void FillRecent();
    // Hands the typed password to this run and, when asked, to the keyring.
    void KeepPassword(const QString &url);
};

// The passwords typed in this run (not kept in the keyring), by database
// URL: held by the designer in memory, never written anywhere, and handed to
// each job that reads that database. An empty password forgets the URL's.
void SetSessionSqlPassword(const QString &url, const QString &password);
QString SessionSqlPassword(const QString &url);
