#pragma once

// Shared by the fuzz harnesses, which are built both for libFuzzer (clang) and for the plain
// replay tests (gcc), so nothing here may depend on libFuzzer.

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

// A broken invariant stops the process at once, so libFuzzer keeps the input and the replay
// test fails on the file that caused it.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #cond);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

// Reads the input front to back; once it runs dry every read gives zero, so a short input
// still describes a whole (if dull) case.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    uint8_t u8() { return empty() ? 0 : data_[pos_++]; }
    uint16_t u16() { return uint16_t(u8() | (u8() << 8)); }
    QByteArray rest()
    {
        const auto from = std::exchange(pos_, size_);
        return QByteArray(reinterpret_cast<const char*>(data_ + from), qsizetype(size_ - from));
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace fuzz
