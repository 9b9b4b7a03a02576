// QVPerson: conversion to and from the bytes of one vCard, through the vCard serializer.
#include "formats/vcardrecordreader_p.h"
#include "formats/vcardrecordwriter_p.h"
#include "record/qvperson.h"

PersonPtr QVPerson::initWithVCardData(const QByteArray &data)
{
    // Every field is filled at once; a store-backed record would instead keep its platform contact
    // and load fields on first access (the labeled-field getters are the hooks for that).
    return VCardRecordReader::read(data, VCardRecordReader::Parts::StandardOnly).person;
}

QByteArray QVPerson::vCardData()
{
    return VCardRecordWriter::write(*this);
}
