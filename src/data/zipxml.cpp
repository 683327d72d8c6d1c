#include "data/sheetrows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

QString SheetErrorText(const QString &fileName, const QString &why)
{
    return QCoreApplication::translate("Spreadsheet", "Cannot read the spreadsheet \"%1\": %2")
        .arg(QDir::toNativeSeparators(fileName), why);
}

QString CellName(const QString &sheet, int column, qint64 row)
{
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return QStringLiteral("%1!%2%3").arg(sheet, letters).arg(row);
}

QString NotASpreadsheetReason(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray head = f.read(64 * 1024);
    // A protected workbook of either kind is a compound file with an
    // EncryptionInfo stream (its name in UTF-16 in the directory).
    static const QByteArray kCompound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (head.startsWith(kCompound)) {
        const QString info = QStringLiteral("EncryptionInfo");
        const QByteArray utf16(reinterpret_cast<const char *>(info.utf16()), info.size() * 2);
        f.seek(0);
        QByteArray block;
        while (!(block = f.read(1 << 20)).isEmpty()) {
            if (block.contains(utf16))
                return QCoreApplication::translate("Spreadsheet",
                                                   "the workbook is protected by a password; save it without one");
            if (!f.atEnd())
                f.seek(f.pos() - utf16.size());
        }
        return QString();
    }
    if (head.isEmpty())
        return QCoreApplication::translate("Spreadsheet", "the file is empty");
    // Text: no control bytes but line ends and tabs (CSV, TSV, HTML saved under the name).
    for (char c : head)
        if ((unsigned char)c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\f')
            return QString();
    return QCoreApplication::translate("Spreadsheet", "it is a text file, not a spreadsheet (open it as a text data file)");
}

struct TZipXml::Zip {
    zip_t *Archive = nullptr;
    zip_file_t *File = nullptr;
    ~Zip()
    {
        if (File)
            zip_fclose(File);
        if (Archive)
            zip_discard(Archive);
    }
};

TZipXml::TZipXml() = default;
TZipXml::~TZipXml() = default;

bool TZipXml::Open(const QString &fileName, const QString &member, QString *error, bool *missing)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = SheetErrorText(fileName, why);
        return false;
    };
    const QFileInfo info(fileName);
    if (!info.exists())
        return fail(QCoreApplication::translate("Spreadsheet", "no such file"));
    if (!info.isFile())
        return fail(info.isDir() ? QCoreApplication::translate("Spreadsheet", "it is a folder")
                                 : QCoreApplication::translate("Spreadsheet", "it is not a file"));
    zip_ = std::make_unique<Zip>();
    int code = 0;
    zip_->Archive = zip_open(QFile::encodeName(fileName).constData(), ZIP_RDONLY, &code);
    if (!zip_->Archive) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, code);
        QString why = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS ? NotASpreadsheetReason(fileName) : QString();
        if (why.isEmpty())
            why = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS
                      ? QCoreApplication::translate("Spreadsheet", "it is not a spreadsheet (not a zip archive)")
                      : QString::fromLocal8Bit(zip_error_strerror(&ze));
        zip_error_fini(&ze);
        return fail(why);
    }
    member_ = member;
    zip_->File = zip_fopen(zip_->Archive, member.toUtf8().constData(), 0);
    if (!zip_->File) {
        if (missing) {
            *missing = true;
            return false;
        }
        return fail(QCoreApplication::translate("Spreadsheet", "the archive holds no %1").arg(member));
    }
    return true;
}

QXmlStreamReader::TokenType TZipXml::Next()
{
    for (;;) {
        const auto t = xml_.readNext();
        if (t != QXmlStreamReader::Invalid || xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError ||
            eof_ || !zip_ || !zip_->File)
            return t;
        char buf[64 * 1024];
        const zip_int64_t n = zip_fread(zip_->File, buf, sizeof buf);
        if (n < 0) {
            readError_ = QString::fromLocal8Bit(zip_file_strerror(zip_->File));
            eof_ = true;
            return QXmlStreamReader::Invalid;
        }
        if (n == 0)
            eof_ = true;
        else
            Feed(buf, qsizetype(n));
    }
}

void TZipXml::Feed(const char *data, qsizetype size)
{
    // Past the cap a run of text is dropped up to the next tag, never inside
    // an entity or a UTF-8 sequence, so the parser holds no more than a cell
    // can show however large the cell is in the file.
    constexpr qint64 kMaxRunBytes = kMaxCellText * 4;
    QByteArray kept;
    qsizetype from = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (inTag_) {
            if (c == '>') {
                inTag_ = false;
                textRun_ = 0;
            }
            continue;
        }
        if (c == '<') {
            if (dropping_) {
                dropping_ = false;
                from = i;
            }
            inTag_ = true;
            continue;
        }
        if (dropping_)
            continue;
        if (c == '&')
            inEntity_ = true;
        else if (c == ';')
            inEntity_ = false;
        if (++textRun_ > kMaxRunBytes && !inEntity_ && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            kept.append(data + from, i - from);
            dropping_ = true;
        }
    }
    if (!dropping_)
        kept.append(data + from, size - from);
    if (!kept.isEmpty())
        xml_.addData(kept);
}

QString TZipXml::Error() const
{
    if (!readError_.isEmpty())
        return QStringLiteral("%1: %2").arg(member_, readError_);
    if (xml_.hasError())
        return QCoreApplication::translate("Spreadsheet", "%1, line %2: %3")
            .arg(member_)
            .arg(xml_.lineNumber())
            .arg(xml_.errorString());
    return QString();
}

QString TZipXml::ElementText(const QStringList &skip)
{
    QString text;
    int depth = 1, skipping = 0;
    while (depth > 0) {
        switch (Next()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (skipping || skip.contains(xml_.name()))
                ++skipping;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (skipping)
                --skipping;
            break;
        case QXmlStreamReader::Characters:
            if (!skipping && text.size() < kMaxCellText)
                text += xml_.text().left(kMaxCellText - text.size());
            break;
        case QXmlStreamReader::Invalid:
            return CutShownText(text);
        default:
            break;
        }
    }
    return CutShownText(text);
}

void TZipXml::SkipElement()
{
    int depth = 1;
    while (depth > 0) {
        const auto t = Next();
        if (t == QXmlStreamReader::StartElement)
            ++depth;
        else if (t == QXmlStreamReader::EndElement)
            --depth;
        else if (t == QXmlStreamReader::Invalid)
            return;
    }
}
