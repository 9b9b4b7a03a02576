// Deterministic random numbers for the contact generator.
//
// A file must depend on the seed only, on every platform and library, so both the generator and
// the mapping to ranges are ours: std::uniform_*_distribution is implementation-defined.
#pragma once

#include <QString>
#include <cstdint>
#include <span>

class SplitMix64
{
public:
    explicit SplitMix64(uint64_t seed)
        : m_state(seed)
    { }

    // The generator for one card: card k of a file does not depend on how many cards follow it.
    static SplitMix64 forCard(uint64_t seed, uint64_t index)
    {
        SplitMix64 mixer(seed);
        return SplitMix64(mixer.next() ^ (index * 0xD1B54A32D192ED03ull));
    }

    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, n) by multiply and shift of the top 32 bits; the bias (n / 2^32) is irrelevant here.
    uint32_t below(uint32_t n) { return uint32_t(((next() >> 32) * uint64_t(n)) >> 32); }

    int between(int low, int high) { return low + int(below(uint32_t(high - low + 1))); }

    bool percent(int p) { return int(below(100)) < p; }

    template<typename T> const T &pick(std::span<const T> items)
    {
        return items[below(uint32_t(items.size()))];
    }

    // A UTF-8 word list entry as text.
    QString word(std::span<const char *const> words) { return QString::fromUtf8(pick(words)); }

    // n decimal digits, leading zeros kept.
    QString digits(int n) { return fill(QString(n, u'#')); }

    // The pattern with each '#' replaced by a random digit, from left to right. Build texts with
    // several random parts this way or in separate statements: the operands of one expression
    // are evaluated in an unspecified order, which would make the output depend on the compiler.
    QString fill(const QString &pattern)
    {
        QString s = pattern;
        for (QChar &c : s) {
            if (c == u'#')
                c = QChar(u'0' + char16_t(below(10)));
        }
        return s;
    }

private:
    uint64_t m_state;
};
