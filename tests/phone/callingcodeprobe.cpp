// Prints, for each number read from standard input (one a line), the calling code the normaliser
// recognises in it after cleaning, or an empty line. The cross-check script drives it.
#include "phone/normalizephonenumber.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream in(stdin);
    QTextStream out(stdout);
    NormalizePhoneNumber normalizer;
    QString line;
    while (in.readLineInto(&line)) {
        normalizer.setPhoneNumber(line);
        out << normalizer.countryNumber(normalizer.phoneNumber()) << '\n';
    }
    return 0;
}
