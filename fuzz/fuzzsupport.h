#pragma once

// Shared by the fuzz harnesses, which are built both for libFuzzer (clang) and for the
// plain replay tests (gcc), so nothing here may depend on libFuzzer.

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant stops the process at once, so libFuzzer keeps the input and the replay
// test fails on the file that caused it.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #cond);      \
            std::fflush(stderr);                                                                   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

// Reads the fuzz input front to back; once it runs dry every read gives zero, so a short
// input still describes a whole (if dull) case.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    size_t left() const { return empty() ? 0 : size_ - pos_; }

    uint8_t u8() { return empty() ? 0 : data_[pos_++]; }
    uint16_t u16()
    {
        const uint16_t lo = u8();
        return uint16_t(lo | (uint16_t(u8()) << 8));
    }
    uint32_t u32()
    {
        const uint32_t lo = u16();
        return lo | (uint32_t(u16()) << 16);
    }
    int16_t i16() { return int16_t(u16()); }

    // A draw like the program's random source: 24 bits on an even grid in [0, 1).
    float unit() { return float(u32() & 0xFFFFFFu) / float(1u << 24); }

    // Up to n raw bytes.
    QByteArray take(size_t n)
    {
        const size_t k = n < left() ? n : left();
        QByteArray out(reinterpret_cast<const char*>(data_ + pos_), qsizetype(k));
        pos_ += k;
        return out;
    }
    QByteArray rest() { return take(left()); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// A folder for the process's files, under TMPDIR. fuzz/run.sh points TMPDIR at memory:
// QSettings syncs every write to disk, which would otherwise cost most of each run.
inline QDir& scratchDir()
{
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    static QDir d(dir.path());
    return d;
}

} // namespace fuzz
