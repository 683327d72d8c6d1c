#pragma once
// Text encodings of label, template and data files.
//
// Such files come from systems whose code page is GBK (read as GB18030), with
// no byte-order mark, and from editors that write UTF-8.
// Being valid UTF-8 proves little: many short GB18030 texts are valid UTF-8
// too ("医院" is D2 BD D4 BA, the UTF-8 of "ҽԺ"). So a text without a
// byte-order mark is GB18030 unless it is plainly UTF-8 (DetectTextEncoding).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class TTextEncoding { Gb18030, Utf8, Utf16Le, Utf16Be };

// UTF-8 only when the bytes are valid UTF-8 and their UTF-8 reading costs
// strictly less than their GB18030 reading, where each non-ASCII character
// costs 0 when it is a first-level hanzi, CJK punctuation or a full-width form
// of GB2312, 1 elsewhere in GB2312 (second-level hanzi, kana, Greek, Cyrillic,
// pinyin, box drawing), 2 otherwise (rare hanzi, private use, bytes that do
// not decode); in the UTF-8 reading a letter below U+0800 next to a letter of
// its own script costs 0 (words of Latin, Greek, Cyrillic...). Hence GB18030
// text of common characters is never taken for UTF-8, while UTF-8 Chinese,
// whose GB18030 reading is a jumble of rare characters, is recognised.
// truncated: the bytes are the start of a longer text; a character cut off by
// their end is not held against either reading.
TTextEncoding DetectTextEncoding(QByteArrayView bytes, bool truncated = false);
// The same for data files, whose UTF-8 is often Latin text with a few accents
// ("José Müller, Zürich"): there a common hanzi of the GB18030 reading that
// touches an ASCII letter costs 1 more on each such side ("Jos茅", "M眉ller"),
// while Chinese next to Latin letters in real GB18030 text is rare.
TTextEncoding DetectDataEncoding(QByteArrayView bytes, bool truncated = false);

// The encoding a person names (UTF-8, GB18030 or GBK, UTF-16LE, UTF-16BE;
// any case, with or without the hyphen). False for others.
bool TextEncodingFromName(const QString &name, TTextEncoding *encoding);
QString TextEncodingName(TTextEncoding encoding);

QByteArray EncodeGb18030(const QString &text);
QString DecodeGb18030(QByteArrayView bytes);

// A whole file: a byte-order mark (UTF-8, UTF-16) decides, else
// DetectTextEncoding.
QString DecodeTextFile(QByteArrayView bytes);

// The bytes a character takes in GB18030: 1, 2 or 4.
int Gb18030Length(char32_t ch);
