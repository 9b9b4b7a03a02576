// What the fuzz targets share: the process set up once, outside the loop that runs the inputs,
// and a bound on the size of an input.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QStringList>
#include <QVariantList>
#include <cstddef>
#include <cstdint>

namespace FuzzSupport {

// Larger inputs are skipped. Faults show on small inputs, and a few large ones would spend the
// fuzzer's time on the readers' linear work instead of on new paths. Run libFuzzer with
// -max_len=512 or less so that it makes small inputs; the bound still lets every corpus file be replayed.
constexpr std::size_t kMaxInputBytes = 128 * 1024;

// A fixed locale and contact settings, so that an input reads the same on every machine, and Qt's
// messages muted: damaged input makes thousands of warnings, and printing them would take most of
// the time. Done once, by the LLVMFuzzerInitialize every target shares (fuzzsupport.cpp).
void setUp();

inline QByteArrayView bytesOf(const uint8_t *data, std::size_t size)
{
    return { reinterpret_cast<const char *>(data), qsizetype(size) };
}

// The body of LLVMFuzzerTestOneInput: the check run on the input's bytes, larger inputs skipped.
template<typename Check> int testOneInput(const uint8_t *data, std::size_t size, Check &&check)
{
    if (size <= kMaxInputBytes)
        check(bytesOf(data, size));
    return 0;
}

// The class-level label tables and custom items as they were before one input, put back after
// it. Reading registers every label it meets, for good: across millions of inputs the tables
// would grow without end, each lookup in them slower, and an input would no longer read the same
// after others as on its own.
class ClassTablesKeeper
{
public:
    ClassTablesKeeper();
    ~ClassTablesKeeper();
    ClassTablesKeeper(const ClassTablesKeeper &) = delete;
    ClassTablesKeeper &operator=(const ClassTablesKeeper &) = delete;

private:
    QHash<QString, QStringList> m_labels;
    QHash<QString, QStringList> m_localizedLabels;
    QHash<QString, QStringList> m_customLabels;
    QVariantList m_customItems;
};

// Reports a broken property with the two texts that differ, then aborts, so that libFuzzer keeps
// the input as a crash.
[[noreturn]] void fail(const char *what, QByteArrayView expected = {}, QByteArrayView actual = {});

} // namespace FuzzSupport
