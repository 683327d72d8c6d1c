// Date/time patterns: any pattern, any moment and locale format in time
// linear in the pattern, and text outside the specifiers is kept.

#include "fuzz_common.h"

#include "model/advanced.h"



extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const uint8_t which = in.Byte();
    // Any moment from year -9999 to 9999 (QDateTime's own range is wider).
    const qint64 msecs = qint64(in.Int32()) * 80000;
    const QByteArray raw = in.Rest();
    const QString pattern = (which & 0x80) ? QString::fromLatin1(raw) : QString::fromUtf8(raw);
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::Chinese, QLocale::China),
                                      QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German)};
    const QLocale &locale = locales[which & 3];
    const QDateTime when = (which & 4) ? QDateTime() // invalid: what a broken clock would give
                                       : QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);

    const QString out = FormatDateTime(pattern, when, locale);
    // Reading a text back with the same pattern neither crashes nor hangs.
    (void)ParseDateTime(pattern, out, locale);
    (void)ParseDateTime(pattern, pattern, locale);
    // The longest expansion is a month or day name (far below 64 characters)
    // for a one-character specifier.
    FUZZ_CHECK(out.size() <= qsizetype(pattern.size()) * 64 + 64,
               QStringLiteral("%1 characters from a pattern of %2").arg(out.size()).arg(pattern.size()));
    // A pattern with no specifier letter is copied as it is.
    bool plain = true;
    for (QChar c : pattern) {
        const QChar f = c.toCaseFolded();
        if (f == u'd' || f == u'm' || f == u'y' || f == u'h' || f == u'n' || f == u's' || f == u'a' || c == u'/'
            || c == u':' || c == u'"' || c == u'\'' || f != c.toLower())
            plain = false;
    }
    if (plain && when.isValid())
        FUZZ_CHECK(out == pattern, pattern.left(80) + QStringLiteral(" -> ") + out.left(80));
    return 0;
}
