#include "fuzzsupport.h"

#include "platform/contactsettings.h"
#include "record/qvperson_p.h"

#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The line of the text around a position.
QByteArrayView lineAt(QByteArrayView text, qsizetype at)
{
    const qsizetype start = at > 0 ? text.lastIndexOf('\n', at - 1) + 1 : 0;
    qsizetype end = text.indexOf('\n', start);
    if (end < 0)
        end = text.size();
    return text.sliced(start, std::min<qsizetype>(end - start, 300));
}

} // namespace

namespace FuzzSupport {

void setUp()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ContactSettings::setCountryCode(QStringLiteral("US"));
    ContactSettings::setSortOrder(ContactSettings::SortOrder::GivenName);
    if (!qEnvironmentVariableIsSet("PELLORY_FUZZ_VERBOSE"))
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

ClassTablesKeeper::ClassTablesKeeper()
{
    // Copies share the tables' data until something changes them, so this costs nothing.
    QVPersonPrivate::ClassTables &t = QVPersonPrivate::tables();
    QReadLocker lock(&t.lock);
    m_labels = t.labelTable;
    m_localizedLabels = t.localizedLabelTable;
    m_customLabels = t.customLabelTable;
    m_customItems = t.customItems;
}

ClassTablesKeeper::~ClassTablesKeeper()
{
    QVPersonPrivate::ClassTables &t = QVPersonPrivate::tables();
    QWriteLocker lock(&t.lock);
    t.labelTable = m_labels;
    t.localizedLabelTable = m_localizedLabels;
    t.customLabelTable = m_customLabels;
    t.customItems = m_customItems;
}

void fail(const char *what, QByteArrayView expected, QByteArrayView actual)
{
    std::fprintf(stderr, "broken: %s\n", what);
    if (!expected.isEmpty() || !actual.isEmpty()) {
        // The first line that differs tells more than two whole documents.
        qsizetype at = 0;
        while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
            ++at;
        const QByteArrayView e = lineAt(expected, at);
        const QByteArrayView a = lineAt(actual, at);
        std::fprintf(stderr, "expected: %.*s\nactual:   %.*s\n", int(e.size()), e.data(), int(a.size()),
                     a.data());
    }
    std::abort();
}

} // namespace FuzzSupport

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::setUp();
    return 0;
}
