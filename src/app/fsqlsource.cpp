#include "app/fsqlsource.h"

#include "app/dialogkit.h"
#include "data/keyring.h"
#include "data/sqlsource.h"
#include "storage/recentsources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHash>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// The driver choices, in the order of cbDriver.
const char *const kSchemes[] = {"sqlite", "postgresql", "mysql", "odbc"};
} // namespace

TFSqlSource::TFSqlSource(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSqlSource"));
    setWindowTitle(tr("数据库查询"));
    setFont(DialogFont());

    lRecent = MakeLabel(this, "lRecent", tr("最近使用："));
    cbRecent = new QComboBox(this);
    cbRecent->setObjectName(QStringLiteral("cbRecent"));
    lDriver = MakeLabel(this, "lDriver", tr("驱动程序："));
    cbDriver = new QComboBox(this);
    cbDriver->setObjectName(QStringLiteral("cbDriver"));
    cbDriver->addItems({QStringLiteral("SQLite"), QStringLiteral("PostgreSQL"), QStringLiteral("MySQL / MariaDB"),
                        QStringLiteral("ODBC")});
    lHost = MakeLabel(this, "lHost", tr("主机："));
    eHost = MakeEdit(this, "eHost", QString(), 0);
    lPort = MakeLabel(this, "lPort", tr("端口："));
    ePort = MakeEdit(this, "ePort", QString(), 5);
    ePort->setFixedWidth(60);
    lDatabase = MakeLabel(this, "lDatabase", tr("数据库："));
    eDatabase = MakeEdit(this, "eDatabase", QString(), 0);
    btnBrowseDb = MakeButton(this, "btnBrowseDb", tr("浏览"));
    lUser = MakeLabel(this, "lUser", tr("用户："));
    eUser = MakeEdit(this, "eUser", QString(), 0);
    lPassword = MakeLabel(this, "lPassword", tr("密码："));
    ePassword = MakeEdit(this, "ePassword", QString(), 0);
    ePassword->setEchoMode(QLineEdit::Password);
    cbRemember = new QCheckBox(tr("在密钥环中记住密码"), this);
    cbRemember->setObjectName(QStringLiteral("cbRemember"));
    lQuery = MakeLabel(this, "lQuery", tr("查询："));
    eQuery = new QPlainTextEdit(this);
    eQuery->setObjectName(QStringLiteral("eQuery"));
    eQuery->setTabChangesFocus(true);
    eQuery->setFixedHeight(70);
    btnPreview = MakeButton(this, "btnPreview", tr("显示前几行"));
    gridPreview = new QTableWidget(this);
    gridPreview->setObjectName(QStringLiteral("gridPreview"));
    gridPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridPreview->setMinimumSize(420, 150);
    lStatus = MakeLabel(this, "lStatus", QString());
    lStatus->setWordWrap(true);
    lStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    OkayBtn = MakeButton(this, "OkayBtn", tr("确定(&O)"), true);
    CancelBtn = MakeButton(this, "CancelBtn", tr("取消(&C)"));

    auto *g = new QGridLayout;
    g->addWidget(lRecent, 0, 0);
    g->addWidget(cbRecent, 0, 1, 1, 4);
    g->addWidget(lDriver, 1, 0);
    g->addWidget(cbDriver, 1, 1, 1, 4);
    g->addWidget(lHost, 2, 0);
    g->addWidget(eHost, 2, 1, 1, 2);
    g->addWidget(lPort, 2, 3);
    g->addWidget(ePort, 2, 4);
    g->addWidget(lDatabase, 3, 0);
    g->addWidget(eDatabase, 3, 1, 1, 3);
    g->addWidget(btnBrowseDb, 3, 4);
    g->addWidget(lUser, 4, 0);
    g->addWidget(eUser, 4, 1, 1, 4);
    g->addWidget(lPassword, 5, 0);
    g->addWidget(ePassword, 5, 1, 1, 2);
    g->addWidget(cbRemember, 5, 3, 1, 2);
    g->addWidget(lQuery, 6, 0, Qt::AlignTop);
    g->addWidget(eQuery, 6, 1, 1, 4);
    g->setColumnStretch(1, 1);
    auto *previewLine = new QHBoxLayout;
    previewLine->addWidget(btnPreview);
    previewLine->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkayBtn);
    buttons->addWidget(CancelBtn);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(g);
    outer->addLayout(previewLine);
    outer->addWidget(gridPreview, 1);
    outer->addWidget(lStatus);
    outer->addLayout(buttons);

    auto *digits = new TKeyFilter(this, QStringLiteral("0123456789"));
    digits->Install(ePort);

    ChooseDatabaseFile = [](QWidget *parent) {
        return QFileDialog::getOpenFileName(parent, tr("SQLite 数据库"), QString(),
                                            tr("SQLite Databases (*.db *.sqlite *.sqlite3);;All Files (*)"));
    };

    connect(cbDriver, &QComboBox::currentIndexChanged, this, &TFSqlSource::DriverChanged);
    connect(cbRecent, &QComboBox::activated, this, &TFSqlSource::RecentChosen);
    connect(btnBrowseDb, &QPushButton::clicked, this, [this] {
        const QString name = ChooseDatabaseFile ? ChooseDatabaseFile(this) : QString();
        if (!name.isEmpty())
            eDatabase->setText(name);
    });
    connect(btnPreview, &QPushButton::clicked, this, &TFSqlSource::PreviewClick);
    connect(OkayBtn, &QPushButton::clicked, this, &TFSqlSource::OkayBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    DriverChanged();
}

void TFSqlSource::DriverChanged()
{
    const QString scheme = QLatin1String(kSchemes[qBound(0, cbDriver->currentIndex(), 3)]);
    const bool server = scheme == QLatin1String("postgresql") || scheme == QLatin1String("mysql");
    for (QWidget *w : std::initializer_list<QWidget *>{lHost, eHost, lPort, ePort, lUser, eUser})
        w->setEnabled(server);
    const bool password = scheme != QLatin1String("sqlite");
    for (QWidget *w : std::initializer_list<QWidget *>{lPassword, ePassword, cbRemember})
        w->setEnabled(password);
    btnBrowseDb->setEnabled(scheme == QLatin1String("sqlite"));
    lDatabase->setText(scheme == QLatin1String("odbc")    ? tr("数据源：")
                       : scheme == QLatin1String("sqlite") ? tr("数据库文件：")
                                                           : tr("数据库："));
}

void TFSqlSource::FillRecent()
{
    cbRecent->clear();
    for (const TRecentSqlSource &s : LoadRecentSqlSources()) {
        cbRecent->addItem(s.Url + QLatin1String("  ") + s.Query.simplified().left(60));
        cbRecent->setItemData(cbRecent->count() - 1, s.Url, Qt::UserRole);
        cbRecent->setItemData(cbRecent->count() - 1, s.Query, Qt::UserRole + 1);
    }
    cbRecent->setEnabled(cbRecent->count() > 0);
    cbRecent->setCurrentIndex(-1);
}

void TFSqlSource::RecentChosen(int index)
{
    if (index >= 0)
        SetSource(cbRecent->itemData(index, Qt::UserRole).toString(),
                  cbRecent->itemData(index, Qt::UserRole + 1).toString());
}

void TFSqlSource::SetSource(const QString &url, const QString &query)
{
    TSqlConnection c;
    if (ParseSqlUrl(url, c, nullptr)) {
        for (int i = 0; i < 4; ++i) {
            if (c.Scheme == QLatin1String(kSchemes[i]))
                cbDriver->setCurrentIndex(i);
        }
        QString host = c.Host;
        for (const QString &o : std::as_const(c.Options)) {
            if (o.startsWith(QLatin1String("UNIX_SOCKET=")) && host.isEmpty())
                host = o.mid(12);
        }
        eHost->setText(host);
        ePort->setText(c.Port > 0 ? QString::number(c.Port) : QString());
        eDatabase->setText(c.Database);
        eUser->setText(c.User);
    }
    ePassword->clear();
    eQuery->setPlainText(query);
    gridPreview->clear();
    gridPreview->setRowCount(0);
    gridPreview->setColumnCount(0);
    lStatus->clear();
}

QString TFSqlSource::Url() const
{
    TSqlConnection c;
    c.Scheme = QLatin1String(kSchemes[qBound(0, cbDriver->currentIndex(), 3)]);
    c.Database = eDatabase->text().trimmed();
    if (c.Database.isEmpty())
        return QString();
    if (c.Scheme == QLatin1String("postgresql") || c.Scheme == QLatin1String("mysql")) {
        c.Host = eHost->text().trimmed();
        c.User = eUser->text().trimmed();
        bool ok = false;
        const int port = ePort->text().toInt(&ok);
        c.Port = ok && port > 0 && port <= 65535 ? port : -1;
        // A socket folder for MySQL goes where the driver looks for it.
        if (c.Scheme == QLatin1String("mysql") && c.Host.startsWith(QLatin1Char('/'))) {
            c.Options.append(QLatin1String("UNIX_SOCKET=") + c.Host);
            c.Host.clear();
        }
    }
    return SqlUrl(c);
}

QString TFSqlSource::Query() const
{
    return eQuery->toPlainText().trimmed();
}

namespace {
QHash<QString, QString> &sessionPasswords()
{
    static QHash<QString, QString> passwords; // the designer's, on its one thread
    return passwords;
}
} // namespace

void SetSessionSqlPassword(const QString &url, const QString &password)
{
    if (password.isEmpty())
        sessionPasswords().remove(url);
    else
        sessionPasswords().insert(url, password);
}

QString SessionSqlPassword(const QString &url)
{
    return sessionPasswords().value(url);
}

void TFSqlSource::KeepPassword(const QString &url)
{
    const QString password = ePassword->text();
    if (password.isEmpty() || !ePassword->isEnabled())
        return;
    SetSessionSqlPassword(url, password);
    if (!cbRemember->isChecked())
        return;
    QString why;
    if (WriteKeyringPassword(url, password, &why) != TKeyringResult::Done)
        lStatus->setText(tr("密码未能存入密钥环，只在本次运行中使用：") + why);
}

bool TFSqlSource::PreviewClick()
{
    gridPreview->clear();
    gridPreview->setRowCount(0);
    gridPreview->setColumnCount(0);
    lStatus->clear();
    const QString url = Url();
    if (url.isEmpty()) {
        lStatus->setText(tr("请填写数据库。"));
        return false;
    }
    if (Query().isEmpty()) {
        lStatus->setText(tr("请填写查询。"));
        return false;
    }
    KeepPassword(url);
    const QString keyringNote = lStatus->text();
    QString error;
    std::unique_ptr<TSqlSource> source = OpenSqlQuery(url, Query(), &error, SessionSqlPassword(url));
    if (!source) {
        lStatus->setText(error);
        return false;
    }
    const QStringList columns = source->ColumnNames();
    gridPreview->setColumnCount(int(columns.size()));
    gridPreview->setHorizontalHeaderLabels(columns);
    int row = 0;
    while (source->HasRecord() && row < kPreviewRows) {
        gridPreview->insertRow(row);
        const TDataRow &values = source->DataRow();
        for (int c = 0; c < values.size(); ++c)
            gridPreview->setItem(row, c, new QTableWidgetItem(values[c]));
        ++row;
        if (source->DataEof())
            break;
        source->ReadRecord();
        if (source->Failed()) {
            lStatus->setText(source->ErrorString());
            return false;
        }
    }
    gridPreview->resizeColumnsToContents();
    lStatus->setText(keyringNote.isEmpty() ? (row == 0 ? tr("查询没有结果。") : QString()) : keyringNote);
    return true;
}

void TFSqlSource::OkayBtnClick()
{
    if (!PreviewClick())
        return;
    SaveRecentSqlSource({Url(), Query()});
    accept();
}

bool TFSqlSource::Execute(QString *url, QString *query)
{
    FillRecent();
    if (!url->isEmpty())
        SetSource(*url, *query);
    else if (cbRecent->count() > 0)
        RecentChosen(0);
    if (exec() != QDialog::Accepted)
        return false;
    *url = Url();
    *query = Query();
    return true;
}
