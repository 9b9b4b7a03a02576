// The peer the vCard reader is measured against, timed the same way as pellory2-cli:
//   kcontacts_bench stats FILE          read every card into addressees
//   kcontacts_bench convert FILE OUT    read, then write them back as vCard 3.0
// Built apart from the program (it is on Qt 5); see bench/peer/README.md.
#include <KContacts/VCardConverter>

#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3 || (argv[1] == QByteArray("convert") && argc < 4)) {
        std::fprintf(stderr, "usage: kcontacts_bench stats FILE | convert FILE OUT\n");
        return 1;
    }
    QFile in(QString::fromLocal8Bit(argv[2]));
    if (!in.open(QIODevice::ReadOnly))
        return 2;
    KContacts::VCardConverter converter;
    const KContacts::Addressee::List list = converter.parseVCards(in.readAll());
    std::printf("contacts: %d\n", int(list.size()));
    if (argv[1] == QByteArray("convert")) {
        QFile out(QString::fromLocal8Bit(argv[3]));
        if (!out.open(QIODevice::WriteOnly) || out.write(converter.exportVCards(list, KContacts::VCardConverter::v3_0)) < 0)
            return 5;
    }
    return 0;
}
