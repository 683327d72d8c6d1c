#include "data/dataimport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Valid UTF-8 (no overlongs, surrogates or values above U+10FFFF). With
// allowCut a sequence cut off by the end of the buffer counts as valid.
bool IsUtf8(const uchar *s, qsizetype n, bool allowCut)
{
    qsizetype i = 0;
    while (i < n) {
        const uchar c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        uint cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k < len; ++k) {
            if (i + k >= n)
                return allowCut;
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        static const uint kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

bool IsAscii(QByteArrayView b)
{
    for (char c : b)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

QString OpenErrorText(const QString &fileName, const QString &why)
{
    return QCoreApplication::translate("DataFile", "Cannot read the data file \"%1\": %2")
        .arg(QDir::toNativeSeparators(fileName), why);
}

} // namespace

// Splits a file into decoded lines, a chunk at a time.
class TLineSource {
public:
    // chosen: the encoding the user named, else detected.
    bool Open(const QString &fileName, QString *error, std::optional<TTextEncoding> chosen = std::nullopt)
    {
        fileName_ = fileName;
        file_.setFileName(fileName);
        const QFileInfo info(fileName);
        // A device or a pipe may never end (/dev/zero holds no line end) or never answer.
        if (info.exists() && !info.isDir() && !info.isFile()) {
            if (error)
                *error = OpenErrorText(
                    fileName, QCoreApplication::translate("DataFile", "it is a device or a pipe, not a file"));
            return false;
        }
        if (QFileInfo(fileName).isDir() || !file_.open(QIODevice::ReadOnly)) {
            if (error)
                *error = OpenErrorText(fileName,
                    QFileInfo::exists(fileName)
                        ? (QFileInfo(fileName).isDir() ? QCoreApplication::translate("DataFile", "it is a folder")
                                                       : file_.errorString())
                        : QCoreApplication::translate("DataFile", "no such file"));
            return false;
        }
        bufStart_ = 0;
        Fill();
        if (failed_) {
            if (error)
                *error = ErrorString();
            return false;
        }
        chosen_ = chosen.has_value();
        decided_ = true;
        encoding_ = chosen.value_or(TTextEncoding::Gb18030);
        // A byte-order mark decides unless the user chose otherwise.
        const struct {
            const char *mark;
            TTextEncoding encoding;
        } marks[] = {{"\xEF\xBB\xBF", TTextEncoding::Utf8},
                     {"\xFF\xFE", TTextEncoding::Utf16Le},
                     {"\xFE\xFF", TTextEncoding::Utf16Be}};
        bool marked = false;
        for (const auto &m : marks) {
            if (buf_.startsWith(m.mark) && (!chosen || *chosen == m.encoding)) {
                pos_ = qstrlen(m.mark);
                encoding_ = m.encoding;
                marked = true;
                break;
            }
        }
        if (!marked && !chosen) {
            decided_ = false;
            Decide(buf_);
        }
        width_ = encoding_ == TTextEncoding::Utf16Le || encoding_ == TTextEncoding::Utf16Be ? 2 : 1;
        if (width_ == 2)
            utf16_ = QStringDecoder(
                encoding_ == TTextEncoding::Utf16Le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                QStringConverter::Flag::Stateless);
        return true;
    }

    void Close()
    {
        file_.close();
        buf_.clear();
        pos_ = 0;
        bufStart_ = 0;
        exhausted_ = false;
        failed_ = false;
        lines_ = tooLongLine_ = openQuoteLine_ = 0;
    }

    // The file position of the next line.
    qint64 Offset() const { return bufStart_ + pos_; }
    // Goes back (or on) to a line start that Offset gave. The encoding stays
    // as decided; what was decided reading up to there holds for the line.
    bool SeekTo(qint64 offset)
    {
        if (!file_.isOpen() || offset < 0 || !file_.seek(offset))
            return false;
        buf_.clear();
        pos_ = 0;
        bufStart_ = offset;
        exhausted_ = failed_ = false;
        tooLongLine_ = openQuoteLine_ = 0;
        Fill();
        return !failed_;
    }

    bool AtEnd() const { return pos_ >= buf_.size() && exhausted_; }
    // The file's encoding as decided so far (GB18030 while all was ASCII).
    TTextEncoding Encoding() const { return encoding_; }
    bool Failed() const { return failed_; }
    QString ErrorString() const
    {
        if (openQuoteLine_ > 0)
            return OpenErrorText(fileName_, QCoreApplication::translate("DataFile",
                                                "the quoted field that starts on line %1 does not end within 16 MiB")
                                                .arg(openQuoteLine_));
        return OpenErrorText(
            fileName_, tooLongLine_ > 0
                           ? QCoreApplication::translate("DataFile", "line %1 is longer than 16 MiB").arg(tooLongLine_)
                           : file_.errorString());
    }
    // Lines read so far.
    qint64 Lines() const { return lines_; }
    // A record that spans lines from firstLine grew beyond what a line may
    // hold: reading stops there.
    void RefuseRecord(qint64 firstLine)
    {
        openQuoteLine_ = firstLine;
        failed_ = exhausted_ = true;
        buf_.clear();
        pos_ = 0;
    }
    static constexpr qsizetype kMaxLine = 16 * 1024 * 1024;

    bool ReadLine(QString &line)
    {
        qsizetype scan = pos_;
        const qsizetype w = width_;
        for (;;) {
            const char *b = buf_.constData();
            // Whole code units only; a UTF-16 unit cut by the chunk waits for the next.
            const qsizetype n = buf_.size() - (exhausted_ ? 0 : (buf_.size() - pos_) % w);
            auto unit = [&](qsizetype k) -> char16_t {
                if (w == 1)
                    return uchar(b[k]);
                return encoding_ == TTextEncoding::Utf16Le ? char16_t(uchar(b[k]) | uchar(b[k + 1]) << 8)
                                                           : char16_t(uchar(b[k]) << 8 | uchar(b[k + 1]));
            };
            auto lineEnd = [&](qsizetype k) { return k + w <= n && (unit(k) == u'\n' || unit(k) == u'\r'); };
            qsizetype i = scan;
            while (i + w <= n && !lineEnd(i))
                i += w;
            if (i - pos_ > kMaxLine) {
                // No label shows such a record; holding it would only exhaust memory.
                tooLongLine_ = lines_ + 1;
                failed_ = exhausted_ = true;
                buf_.clear();
                pos_ = 0;
                return false;
            }
            if (lineEnd(i) && (unit(i) == u'\n' || i + w < n || exhausted_)) {
                ++lines_;
                QByteArray raw(b + pos_, i - pos_);
                pos_ = (unit(i) == u'\r' && lineEnd(i + w) && unit(i + w) == u'\n') ? i + 2 * w : i + w;
                line = Decode(raw);
                Refill();
                return true;
            }
            if (exhausted_) {
                if (pos_ >= n)
                    return false;
                line = Decode(QByteArray(b + pos_, n - pos_));
                pos_ = n;
                ++lines_;
                return true;
            }
            scan = i - pos_; // rescan a trailing CR once more bytes are in
            Fill();
            scan += pos_;
        }
    }

private:
    static constexpr qint64 kChunk = 64 * 1024;

    // Drops what was consumed and appends the next chunk.
    void Fill()
    {
        if (exhausted_)
            return;
        if (pos_ > 0) {
            buf_.remove(0, pos_);
            bufStart_ += pos_;
            pos_ = 0;
        }
        const qsizetype old = buf_.size();
        buf_.resize(old + kChunk);
        const qint64 got = file_.read(buf_.data() + old, kChunk);
        if (got < 0) {
            failed_ = true;
            exhausted_ = true;
            buf_.resize(old);
            return;
        }
        buf_.resize(old + got);
        if (got == 0)
            exhausted_ = true;
    }

    // Keeps AtEnd exact: when the buffer is used up, look for more.
    void Refill()
    {
        while (pos_ >= buf_.size() && !exhausted_)
            Fill();
    }

    // All ASCII so far decides nothing when more is to come.
    void Decide(QByteArrayView sample)
    {
        if (!exhausted_ && IsAscii(sample))
            return;
        encoding_ = DetectDataEncoding(sample, !exhausted_);
        decided_ = true;
    }

    QString Decode(const QByteArray &raw)
    {
        if (width_ == 2)
            return utf16_.decode(raw);
        if (IsAscii(raw))
            return QString::fromLatin1(raw);
        if (!decided_) { // from the first line that is not ASCII and what follows it in the buffer
            QByteArray sample = raw;
            sample.append('\n').append(QByteArrayView(buf_).sliced(qMin(pos_, buf_.size())));
            Decide(sample);
        }
        if (encoding_ == TTextEncoding::Utf8 &&
            (chosen_ || IsUtf8(reinterpret_cast<const uchar *>(raw.constData()), raw.size(), false)))
            return QString::fromUtf8(raw);
        gb_.resetState();
        return gb_.decode(raw);
    }

    QString fileName_;
    QFile file_;
    QByteArray buf_;
    qsizetype pos_ = 0;
    qint64 bufStart_ = 0; // file position of buf_[0]
    bool exhausted_ = false;
    bool failed_ = false;
    bool decided_ = false;
    bool chosen_ = false; // the user named the encoding
    TTextEncoding encoding_ = TTextEncoding::Gb18030;
    qsizetype width_ = 1; // bytes a code unit
    QStringDecoder utf16_;
    qint64 openQuoteLine_ = 0; // the first line of a record refused for its length
    qint64 lines_ = 0;
    qint64 tooLongLine_ = 0; // the line refused for its length, counted from 1
    QStringDecoder gb_{"GB18030"};
};

QStringList ReadSampleLines(
    const QString &fileName, int max, QString *error, TTextEncoding *encoding, std::optional<TTextEncoding> chosen)
{
    QStringList lines;
    TLineSource src;
    if (!src.Open(fileName, error, chosen))
        return lines;
    QString line;
    while (lines.size() < max && src.ReadLine(line))
        lines.append(line);
    if (src.Failed() && error)
        *error = src.ErrorString();
    if (encoding)
        *encoding = src.Encoding();
    return lines;
}

struct TRecordReader::Private {
    TLineSource Source;
    QString FileName;
    TSplitSettings Settings;
    TDataRow Row;
    QStringList Names; // the header's
    bool Open = false;
    bool HasRecord = false;
    qint64 Lines = 0;
    qint64 RowOffset = -1; // file position of the current record's line
};

TRecordReader::TRecordReader() : d(std::make_unique<Private>()) {}

TRecordReader::~TRecordReader() = default;

bool TRecordReader::OpenData(const QString &fileName, const TSplitSettings &settings, QString *error)
{
    if (d->Open)
        return true;
    d->Settings = settings;
    d->Lines = 0;
    d->HasRecord = false;
    d->Names.clear();
    if (!d->Source.Open(fileName, error, settings.Encoding))
        return false;
    d->FileName = fileName;
    d->Open = true;
    ReadRecord();
    if (settings.IgnoreHeader) {
        // Split as the records are, so that a name stands over its column.
        if (d->HasRecord)
            for (const QString &name : std::as_const(d->Row))
                d->Names.append(name.trimmed());
        d->HasRecord = false;
        ReadRecord();
    }
    if (d->Source.Failed()) {
        if (error)
            *error = d->Source.ErrorString();
        CloseData();
        return false;
    }
    return true;
}

void TRecordReader::ReadRecord()
{
    if (!d->Open)
        return;
    QString line;
    const qint64 at = d->Source.Offset();
    if (!d->Source.ReadLine(line))
        return;
    // A quoted field may hold line breaks, as spreadsheets write them.
    const qint64 firstLine = d->Source.Lines();
    QString more;
    while (QuoteOpen(line, d->Settings) && d->Source.ReadLine(more)) {
        line += QLatin1Char('\n') + more;
        if (line.size() > TLineSource::kMaxLine) {
            d->Source.RefuseRecord(firstLine);
            return;
        }
    }
    d->RowOffset = at;
    ++d->Lines;
    d->Row = ParseLine(line, d->Settings, d->Source.Encoding());
    d->HasRecord = true;
}

bool TRecordReader::DataEof() const
{
    return !d->Open || d->Source.AtEnd();
}

void TRecordReader::CloseData()
{
    if (!d->Open)
        return;
    d->Source.Close();
    d->Open = false;
}

bool TRecordReader::DataOpen() const
{
    return d->Open;
}

const TDataRow &TRecordReader::DataRow() const
{
    return d->Row;
}

qint64 TRecordReader::RecordsRead() const
{
    return d->Lines;
}

bool TRecordReader::HasRecord() const
{
    return d->HasRecord;
}

bool TRecordReader::Failed() const
{
    return d->Source.Failed();
}

QString TRecordReader::ErrorString() const
{
    return d->Source.ErrorString();
}

QString TRecordReader::SourceName() const
{
    return d->FileName;
}

QStringList TRecordReader::ColumnNames() const
{
    return d->Names;
}

bool TRecordReader::CanSeek() const
{
    return d->Open;
}

qint64 TRecordReader::Tell() const
{
    return d->Open && d->HasRecord ? d->RowOffset : -1;
}

bool TRecordReader::Seek(qint64 token)
{
    if (!d->Open || !d->Source.SeekTo(token))
        return false;
    d->HasRecord = false;
    ReadRecord();
    return d->HasRecord && !d->Source.Failed();
}
