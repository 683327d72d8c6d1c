#pragma once
// Shared by the fuzz targets and their replay driver: an offscreen Qt
// application for fonts and images, a private temporary folder, and a reader
// that takes parameters off the front of the input.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// The folder every target writes its files into (made once per process).
QString FuzzTempDir();
// Writes bytes to FuzzTempDir()/name (replacing it) and returns the path.
QString FuzzWriteFile(const QString &name, const QByteArray &bytes);

// A failed property of the code under test: prints and aborts, so that the
// fuzzer keeps the input and the replay test fails.
[[noreturn]] void FuzzFail(const char *what, const QString &detail = QString());
#define FUZZ_CHECK(cond, detail) \
    do { \
        if (!(cond)) \
            FuzzFail(#cond, detail); \
    } while (0)

// Parameters from the front of the input; past its end every read gives 0.
class TFuzzInput {
public:
    TFuzzInput(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t Word() { return uint16_t(Byte() | (Byte() << 8)); }
    int32_t Int32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(Byte()) << (8 * i);
        return int32_t(v);
    }
    // The rest of the input, as bytes.
    QByteArray Rest()
    {
        const size_t from = pos_ < size_ ? pos_ : size_;
        pos_ = size_;
        return QByteArray(reinterpret_cast<const char *>(data_ + from), qsizetype(size_ - from));
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};
