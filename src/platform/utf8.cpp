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

// What a lead byte promises: the number of continuation bytes and the range of the first one,
// which rules out overlong forms, surrogates and values past U+10FFFF. False for no lead byte.
bool leadOf(unsigned char lead, int &trail, unsigned char &low, unsigned char &high)
{
    low = 0x80;
    high = 0xBF;
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
    return true;
}

bool isValidRange(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while ((p = skipAscii(p, end)) < end) {
        int trail;
        unsigned char low, high;
        if (!leadOf(*p, trail, low, high))
            return false;
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

// Past a fold at p (a line break and one space or tab); p itself when there is none there.
const unsigned char *skipFold(const unsigned char *p, const unsigned char *end)
{
    const unsigned char *q = p;
    while (q < end && *q == '\r')
        ++q;
    if (q < end && *q == '\n')
        ++q;
    if (q == p || q == end || (*q != ' ' && *q != '\t'))
        return p;
    return q + 1;
}

// The continuation bytes of a character may be spread over folded lines: each is looked for past
// any fold before it. A fold between characters is plain ASCII and needs no care.
bool isValidUnfoldedRange(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while ((p = skipAscii(p, end)) < end) {
        int trail;
        unsigned char low, high;
        if (!leadOf(*p, trail, low, high))
            return false;
        ++p;
        for (int i = 0; i < trail; ++i) {
            p = skipFold(p, end);
            if (p == end || *p < (i == 0 ? low : 0x80) || *p > (i == 0 ? high : 0xBF))
                return false;
            ++p;
        }
    }
    return true;
}

// Checks a large text in two halves at once, split where the check can start afresh: before a
// byte that starts a character, or, for folded text, at the start of a line that is no fold.
bool inHalves(QByteArrayView bytes, bool (*check)(QByteArrayView), bool folded)
{
    constexpr qsizetype kParallelSize = 8 << 20;
    if (bytes.size() < kParallelSize)
        return check(bytes);
    qsizetype middle = bytes.size() / 2;
    if (folded) {
        while (middle < bytes.size()
               && (bytes[middle - 1] != '\n' || bytes[middle] == ' ' || bytes[middle] == '\t'))
            ++middle;
    } else {
        while (middle < bytes.size() && isContinuation(static_cast<unsigned char>(bytes[middle])))
            ++middle;
    }
    auto second = std::async(std::launch::async, [=] { return check(bytes.sliced(middle)); });
    const bool first = check(bytes.first(middle));
    return second.get() && first;
}

} // namespace

bool isValid(QByteArrayView bytes)
{
    return inHalves(bytes, isValidRange, false);
}

bool isValidUnfolded(QByteArrayView bytes)
{
    return inHalves(bytes, isValidUnfoldedRange, true);
}

} // namespace Utf8
