#include "platform/utf8.h"

#include <cstdint>
#include <cstring>
#include <future>

namespace Utf8 {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Skips ASCII eight bytes at a time: contact files are mostly ASCII.
const unsigned char *skipAscii(const unsigned char *p, const unsigned char *end)
{
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (word & kHighBits)
            break;
        p += 8;
    }
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

bool isAscii(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    return skipAscii(p, end) == end;
}

namespace {

bool isValidRange(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while ((p = skipAscii(p, end)) < end) {
        const unsigned char lead = *p;
        // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
        int trail;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p <= trail)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i <= trail; ++i) {
            if (!isContinuation(p[i]))
                return false;
        }
        p += trail + 1;
    }
    return true;
}

} // namespace

bool isValid(QByteArrayView bytes)
{
    // A large file is checked in two halves at once. They meet before a byte that starts a
    // character, so no character is split between them.
    constexpr qsizetype kParallelSize = 8 << 20;
    if (bytes.size() < kParallelSize)
        return isValidRange(bytes);
    qsizetype middle = bytes.size() / 2;
    while (middle < bytes.size() && isContinuation(static_cast<unsigned char>(bytes[middle])))
        ++middle;
    auto second = std::async(std::launch::async, [bytes, middle] { return isValidRange(bytes.sliced(middle)); });
    const bool first = isValidRange(bytes.first(middle));
    return second.get() && first;
}

} // namespace Utf8
