#include "printing/sheetrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

QString SheetErrorText(const QString &fileName, const QString &why)
{
    return QStringLiteral("Cannot read the spreadsheet \"%1\": %2").arg(QDir::toNativeSeparators(fileName), why);
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
        return fail(QStringLiteral("no such file"));
    if (!info.isFile())
        return fail(info.isDir() ? QStringLiteral("it is a folder") : QStringLiteral("it is not a file"));
    zip_ = std::make_unique<Zip>();
    int code = 0;
    zip_->Archive = zip_open(QFile::encodeName(fileName).constData(), ZIP_RDONLY, &code);
    if (!zip_->Archive) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, code);
        const QString why = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS
                                ? QStringLiteral("it is not a spreadsheet (not a zip archive)")
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
        return fail(QStringLiteral("the archive holds no %1").arg(member));
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
            xml_.addData(QByteArray(buf, int(n)));
    }
}

QString TZipXml::Error() const
{
    if (!readError_.isEmpty())
        return QStringLiteral("%1: %2").arg(member_, readError_);
    if (xml_.hasError())
        return QStringLiteral("%1, line %2: %3").arg(member_).arg(xml_.lineNumber()).arg(xml_.errorString());
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
            if (!skipping)
                text += xml_.text();
            break;
        case QXmlStreamReader::Invalid:
            return text;
        default:
            break;
        }
    }
    return text;
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
