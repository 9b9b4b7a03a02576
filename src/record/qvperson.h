// QVPerson: the program's record of one contact.
//
// Every subsystem reads and writes contacts through this class and names the parts of a contact
// by field identifier (record/keys.h). Values are handed out as copies in dictionary shapes
// (QVariantMap / QVariantList) and change only through the operations below, which set `changed`.
//
// The body is split by topic: qvperson.cpp (class tables, creation, archive, copy),
// qvperson_labels.cpp, qvperson_values.cpp (access by identifier), qvperson_names.cpp (names, dates,
// photo, custom items), qvperson_address.cpp (address formats).
#pragma once

#include "record/compactmap.h"
#include "record/datecomponents.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QVPerson;
using PersonPtr = std::shared_ptr<QVPerson>;

class QVPerson
{
public:
    // The eight multi-valued fields, in the order the per-field operations list them.
    enum class LabeledField { Phone, Email, Address, Url, SocialNetwork, InstantMessage, Relationship, Dates };
    static constexpr int LabeledFieldCount = 8;

    // A new, empty contact with a fresh UUID as uniqueId.
    QVPerson();
    ~QVPerson();
    QVPerson(const QVPerson &) = delete;
    QVPerson &operator=(const QVPerson &) = delete;

    static PersonPtr create() { return std::make_shared<QVPerson>(); }

    // ---- Class tables (built once, on first use) -------------------------------------------
    static void ensureClassInitialized();

    static QStringList allIdentifiers();
    static void setAllIdentifiers(const QStringList &identifiers);
    static QStringList labeledIdentifiers();
    static void setLabeledIdentifiers(const QStringList &identifiers);
    static QStringList stringIdentifiers();
    static void setStringIdentifiers(const QStringList &identifiers);
    static QStringList addressIdentifiers();
    static void setAddressIdentifiers(const QStringList &identifiers);
    static QStringList phoneticIdentifiers();
    // Identifier -> platform contact key.
    static QHash<QString, QString> CNIdentifiers();
    static void setCNIdentifiers(const QHash<QString, QString> &identifiers);

    // The custom item definitions the vCard writer adds to every card (class level).
    static QVariantList classCustomItems();
    static void setClassCustomItems(const QVariantList &items);

    static QString localizedIdentifierForKey(const QString &identifier);

    static bool isLabeledIdentifier(const QString &identifier);
    static bool isStringIdentifier(const QString &identifier);
    static bool isAddressIdentifier(const QString &identifier);
    static std::optional<LabeledField> labeledFieldForIdentifier(const QString &identifier);
    // Whether the identifier names one of the record's own fields rather than a custom item.
    static bool isBuiltInIdentifier(const QString &identifier);
    static QString identifierForLabeledField(LabeledField field);

    // ---- Labels (qvperson_labels.cpp) ------------------------------------------------------
    static QString labelFromCNLabel(const QString &cnLabel);
    // A null string stands for nil and gives nil.
    static QString CNLabelFromLabel(const QString &label);
    static QString localizedLabelFromCNLabel(const QString &cnLabel);
    static QStringList labelsForIdentifier(const QString &identifier);
    static QStringList customLabelsForIdentifier(const QString &identifier);
    static QStringList localizedLabelsForIdentifier(const QString &identifier);
    static QHash<QString, QStringList> labelTableDict();
    static QHash<QString, QStringList> customLabelTableDict();
    static QHash<QString, QStringList> localizedLabelTableDict();
    static bool setLabel(const QString &oldLabel, const QString &newLabel, const QString &identifier);
    // One field's label, localised label and custom label lists together, so that a change of
    // them can be taken back.
    struct LabelTables {
        QStringList labels;
        QStringList localized;
        QStringList custom;
    };
    static LabelTables labelTablesForIdentifier(const QString &identifier);
    static void setLabelTablesForIdentifier(const QString &identifier, const LabelTables &lists);

    // ---- Normalisers of labeled values on their way in (qvperson_values.cpp) --------------
    static void updatePhoneValue(QVariantMap &value);
    static void updateEmailValue(QVariantMap &value);
    static void updateURLValue(QVariantMap &value);
    static void updateSNSValue(QVariantMap &value);
    static void updateIMSValue(QVariantMap &value);
    static void updateRelationshipValue(QVariantMap &value);
    static void updateDatesValue(QVariantMap &value);

    // ---- Address formats (qvperson_address.cpp) --------------------------------------------
    static QVariantList addressFormatTable();
    // Merges: entries replace those of the same code; new codes reach only the dictionary.
    static void setAddressFormatTable(const QVariantList &entries);
    static QVariantMap addressFormatDict();
    static void setAddressFormatDict(const QVariantMap &dict);
    // Loads a table from JSON bytes of the AddressFormat.json shape; empty when unreadable.
    static QVariantList addressFormatEntriesFromJson(const QByteArray &json);
    static QString predictCountryCode(const QString &upperCaseCountry);
    static QStringList orderOfAddressFormats(const QString &countryCode, const QString &country = {});
    static void updateAddressValue(QVariantMap &value, int option);
    static void updateAddressValue(CompactMap &value, int option);
    static QVariantList rangeTableFromAddressLabeledValue(const QVariantMap &value);

    // ---- Names, dates (qvperson_names.cpp) -------------------------------------------------
    static QString compositeNameFromNameDict(const QVariantMap &nameDict);
    static void updateBirthdayValue(QVariantMap &birthday);
    static QString dateStringFromDateComponents(const DateComponents &components);

    // ---- Identity and flags -----------------------------------------------------------------
    // Goes up with every change of the record's values, whichever operation makes it (an edit, its
    // undo, a merge...): views that keep what they worked out of a record compare it to know that
    // the record is still the same. The created and changed flags are not values.
    quint64 revision() const { return m_revision; }

    QString uniqueId();
    void setUniqueId(const QString &uniqueId)
    {
        touch();
        m_uniqueId = uniqueId;
    }
    QString uniqueId2() const { return m_uniqueId2; }
    void setUniqueId2(const QString &uniqueId2)
    {
        touch();
        m_uniqueId2 = uniqueId2;
    }
    bool showAsPerson() const { return m_showAsPerson; }
    void setShowAsPerson(bool showAsPerson);
    bool created() const { return m_created; }
    void setCreated(bool created) { m_created = created; }
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    int defaultNameOrdering() const { return m_defaultNameOrdering; }
    void setDefaultNameOrdering(int ordering)
    {
        touch();
        m_defaultNameOrdering = ordering;
    }
    QString defaultCountryCode() const { return m_defaultCountryCode; }
    void setDefaultCountryCode(const QString &code)
    {
        touch();
        m_defaultCountryCode = code;
    }
    int nameOrdering() const { return m_nameOrdering; }
    void setNameOrdering(int ordering)
    {
        touch();
        m_nameOrdering = ordering;
    }

    // ---- Creation, copy, archive (qvperson.cpp) --------------------------------------------
    // A record with the same values but its own uniqueId and custom item definitions.
    PersonPtr copy();
    // The archive form: a dictionary under the archive keys (record/keys.h ArchiveKey).
    QVariantMap encodeWithCoder();
    static PersonPtr initWithCoder(const QVariantMap &archive);
    // The archive as bytes (QDataStream of the dictionary), for the pasteboard and tests.
    QByteArray archivedData();
    static PersonPtr fromArchivedData(const QByteArray &data);

    // ---- vCard conversion (implemented in formats/) -----------------------------------------
    // A record from the bytes of one vCard; nullptr when no contact can be read.
    static PersonPtr initWithVCardData(const QByteArray &data);
    // The standard properties of this record as one vCard 3.0 card ending in "END:VCARD\r\n".
    QByteArray vCardData();

    // ---- Field getters (copies) --------------------------------------------------------------
    QVariantMap nameValue();
    void setNameValueDict(const QVariantMap &nameValue);
    QVariantMap phoneticNameValue();
    void setPhoneticNameValue(const QVariantMap &value);
    QVariantMap birthdayValue();
    QVariantList phoneValues() { return labeledValues(LabeledField::Phone); }
    QVariantList emailValues() { return labeledValues(LabeledField::Email); }
    QVariantList addressValues() { return labeledValues(LabeledField::Address); }
    QVariantList urlValues() { return labeledValues(LabeledField::Url); }
    QVariantList snsValues() { return labeledValues(LabeledField::SocialNetwork); }
    QVariantList imsValues() { return labeledValues(LabeledField::InstantMessage); }
    QVariantList relationshipValues() { return labeledValues(LabeledField::Relationship); }
    QVariantList datesValues() { return labeledValues(LabeledField::Dates); }
    QVariantList labeledValues(LabeledField field);
    // Plain setter: replaces the stored array as given (no normalisation).
    void setLabeledValues(LabeledField field, const QVariantList &values);
    // For readers: the items of a whole field, normalised as setValue() does for a list. Taking
    // the maps over lets each be completed in place rather than copied first.
    void setLabeledItems(LabeledField field, CompactList &&items);
    // For readers: the Name, Phonetic Name or Birthday dictionary in the compact form, completed
    // as setValue() completes the dictionary.
    void setDictionary(const QString &identifier, CompactMap &&dictionary);
    bool isLabeledFieldLoaded(LabeledField field) const { return m_labeled[int(field)].has_value(); }

    // Read-only view of the stored items of a built-in labeled field, without copies.
    // For hot paths (row building, sorting, searching); empty when none are stored.
    const CompactList &storedLabeledValues(LabeledField field) const;

    QVariantMap items() const { return m_items.toVariantMap(); }
    // Read-only view of one stored entry of `items` (a string field or a custom item's value),
    // without loading or defaulting it; nullptr when none is stored. For worker threads.
    const QVariant *storedItem(const QString &identifier) const { return m_items.get(identifier); }
    // The stored text of a built-in string field (Company, Note...), empty when none. For writers,
    // which read every field of every record.
    QString storedString(const QString &identifier) const { return m_items.string(identifier); }
    // The stored "stringValue" of the Name, Phonetic Name or Birthday dictionary, as last composed;
    // empty for any other identifier. Changes nothing, so worker threads may call it.
    QString storedDictionaryString(const QString &identifier) const;
    // Read-only view of the Name, Phonetic Name or Birthday dictionary as stored, without copies;
    // empty for any other identifier. For writers.
    const CompactMap &storedDictionary(const QString &identifier) const;
    QVariantList customItems() const { return m_customItems; }
    void setCustomItems(const QVariantList &items)
    {
        touch();
        m_customItems = items;
    }

    QByteArray imageData() const
    {
        loadPhoto();
        return m_imageData;
    }
    void setImageData(const QByteArray &data)
    {
        touch();
        m_photoLoader.reset();
        m_imageData = data;
    }
    QByteArray thumbnailImageData() const
    {
        loadPhoto();
        return m_thumbnailImageData;
    }
    void setThumbnailImageData(const QByteArray &data)
    {
        touch();
        m_photoLoader.reset();
        m_thumbnailImageData = data;
    }
    // Records of the system address book are read without their photo: the loader fetches it the
    // first time any photo getter runs, once, whichever thread asks. It must not touch the record.
    struct LoadedPhoto
    {
        QByteArray imageData;
        QByteArray thumbnailImageData;
    };
    void setPhotoLoader(std::function<std::optional<LoadedPhoto>()> loader);

    // ---- Value access by identifier (qvperson_values.cpp) -----------------------------------
    // The value in its dictionary shape; an invalid QVariant stands for nil.
    QVariant valueForIdentifier(const QString &identifier);
    QString stringValueForIdentifier(const QString &identifier);
    void setValue(const QVariant &value, const QString &identifier);
    QString typeForIdentifier(const QString &identifier) const;
    QVariantList labeledValueForIdentifier(const QString &identifier);
    // A copy of the item at that position; empty when there is none.
    QVariantMap labeledValueForIdentifierAtIndex(const QString &identifier, qsizetype index);
    // A copy of the first item with that labelIndex; empty when there is none.
    QVariantMap labeledValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex);
    // A labeled value (QVariantMap), or an array for a new custom field.
    void addLabeledValue(const QVariant &value, const QString &identifier);
    // A labeled value, an array, or nil (invalid QVariant).
    void replaceLabeledValue(const QVariant &value, const QString &identifier);
    void deleteLabeledValueForIdentifier(const QString &identifier, qsizetype labelIndex);
    bool sortForIdentifier(const QString &identifier, const QString &sortKey, bool ascending);

    void addPhoneValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::Phone, v); }
    void addEmailValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::Email, v); }
    void addAddressValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::Address, v); }
    void addUrlValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::Url, v); }
    void addSnsValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::SocialNetwork, v); }
    void addImsValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::InstantMessage, v); }
    void addRelationshipValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::Relationship, v); }
    void addDatesValue(const QVariantMap &v) { addBuiltInLabeledValue(LabeledField::Dates, v); }
    void replacePhoneValue(const QVariant &v) { replaceBuiltInLabeledValue(LabeledField::Phone, v); }
    void replaceEmailValue(const QVariant &v) { replaceBuiltInLabeledValue(LabeledField::Email, v); }
    void replaceAddressValue(const QVariant &v) { replaceBuiltInLabeledValue(LabeledField::Address, v); }
    void replaceUrlValue(const QVariant &v) { replaceBuiltInLabeledValue(LabeledField::Url, v); }
    void replaceSnsValue(const QVariant &v) { replaceBuiltInLabeledValue(LabeledField::SocialNetwork, v); }
    void replaceImsValue(const QVariant &v) { replaceBuiltInLabeledValue(LabeledField::InstantMessage, v); }
    void replaceRelationshipValue(const QVariant &v)
    {
        replaceBuiltInLabeledValue(LabeledField::Relationship, v);
    }
    void replaceDatesValue(const QVariant &v) { replaceBuiltInLabeledValue(LabeledField::Dates, v); }

    // ---- Names, dates, photo, custom items (qvperson_names.cpp) ----------------------------
    void updateNameValue(QVariantMap &nameDict);
    QString compositeName();
    void setNameValue(const QVariant &value, const QString &identifier);
    void updatePhoneticName(QVariantMap &phoneticDict) const;
    // A dictionary, or nil (invalid QVariant) for an empty birthday.
    void setBirthdayValue(const QVariant &birthday);
    QImage photo();
    // A null image clears the photo.
    void setPhoto(const QImage &image);
    QImage thumbnail();
    QStringList customIdentifiers() const;
    QVariant customValueForIdentifier(const QString &name);
    void addCustomItem(const QString &type, const QString &name, const QStringList &labels,
                       const QByteArray &imageData = {});
    void deleteCustomItemForName(const QString &name);
    // The definition with that name; empty when there is none.
    QVariantMap customItemDefinition(const QString &name) const;

    // ---- Properties kept verbatim --------------------------------------------------------
    // vCard properties the record has no field for (GEO, KEY, TZ, unknown parameters...):
    // kept as unfolded lines and written back, so that nothing read is lost.
    QStringList extraProperties() const { return m_extraProperties; }
    void setExtraProperties(const QStringList &lines)
    {
        touch();
        m_extraProperties = lines;
    }
    // What a vCard reader kept of the lines of the single-valued fields (their group and
    // parameters, the formatted name as written), by its own keys; the writer uses each while the
    // field still says what was read.
    const CompactMap &vCardKept() const { return m_vCardKept; }
    void setVCardKept(CompactMap &&kept)
    {
        touch();
        m_vCardKept = std::move(kept);
    }

    // Gives back the room values grew into. Readers call it once a record is complete: a file
    // holds a hundred thousand of them, and the values grew one at a time.
    void squeeze();
    // Readers that know how many text fields and custom items they will set say so first.
    void reserveItems(qsizetype count) { m_items.reserve(count); }

private:
    // Every function that changes a value calls this first.
    void touch() { ++m_revision; }
    static int fieldIndex(LabeledField f) { return int(f); }
    void loadPhoto() const;
    void addBuiltInLabeledValue(LabeledField field, const QVariantMap &value);
    void replaceBuiltInLabeledValue(LabeledField field, const QVariant &value);
    static void normalize(LabeledField field, QVariantMap &value, int addressOption);
    static void normalize(LabeledField field, CompactMap &value, int addressOption);
    CompactList &storedList(LabeledField field);
    void recomputeCompositeName();
    qsizetype customItemIndex(const QString &name) const;
    void defineCustomItem(const QString &type, const QString &name, const QStringList &labels);

    quint64 m_revision = 0;
    bool m_showAsPerson = true;
    bool m_created = true;
    bool m_changed = false;
    int m_defaultNameOrdering = 0;
    int m_nameOrdering = 0;
    int m_compositeGeneration = -1;
    QString m_defaultCountryCode;
    QString m_compositeName;
    CompactMap m_birthdayValue;
    CompactMap m_items;
    CompactMap m_nameValue;
    CompactMap m_phoneticNameValue;
    bool m_hasBirthday = false;
    bool m_hasPhoneticName = false;
    std::array<std::optional<CompactList>, LabeledFieldCount> m_labeled;
    QByteArray m_imageData;
    QByteArray m_thumbnailImageData;
    QString m_uniqueId;
    QString m_uniqueId2;
    QVariantList m_customItems;
    QStringList m_extraProperties;
    CompactMap m_vCardKept;
    struct PhotoLoader;
    std::shared_ptr<PhotoLoader> m_photoLoader; // until the photo was fetched
};

Q_DECLARE_METATYPE(PersonPtr)
