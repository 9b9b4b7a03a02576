// Which encodings the encoding menus list: one tick per encoding of the table, shown by the
// customising panel (a check box and the name per row) and saved as the display names of the ticked
// encodings under DefaultsKey::Encodings.
#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

class UserDefaults;

class EncodingList : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        EncodingRole = Qt::UserRole + 1
    };

    // Starts from the ticks stored in defaults, or the default ticks when none are stored.
    // The default ticks follow the given language codes (most preferred first), or the user's.
    explicit EncodingList(UserDefaults &defaults, QObject *parent = nullptr);
    EncodingList(UserDefaults &defaults, const QStringList &languageCodes, QObject *parent = nullptr);

    QStringList preferredLanguages() const { return m_languages; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    bool isTicked(int encoding) const;
    void tick(int encoding) { setTicked(encoding, true); }
    void untick(int encoding) { setTicked(encoding, false); }
    void setTicked(int encoding, bool ticked);

    void selectAll();
    void clearAll();
    // Back to the default ticks for the preferred languages.
    void revertToDefaultTicks();
    // The ticks of the stored list (the default ticks when none is stored).
    void restore();
    // Stores the ticked names.
    void save();

    // Ticked encodings in table order.
    QList<int> tickedEncodings() const;
    QStringList tickedNames() const;

Q_SIGNALS:
    // One encoding was ticked or unticked (the menu adds or removes its item).
    void tickChanged(int encoding, bool ticked);
    // Many ticks changed at once (the menu is rebuilt).
    void ticksReset();

private:
    void setTicks(const QList<int> &ticked);

    UserDefaults &m_defaults;
    QStringList m_languages;
    QList<bool> m_ticks; // per row of Encodings::all()
};
