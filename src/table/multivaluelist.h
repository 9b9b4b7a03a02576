// MultiValueList: the working list of the multi-value editor — one contact's items of one field as
// rows under the field's columns — and the edits the editor makes to it: text, label, service and
// country of a row, adding, deleting and moving rows. Nothing reaches the record until the editor's
// result is applied.
#pragma once

#include <QAbstractTableModel>
#include <QSize>
#include <QVariantList>

class MultiValueList : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class CellKind
    {
        EditButton,
        LabelPopup,
        ServicePopup,
        CountryPopup,
        Text
    };
    // The raw value behind a popup cell: the label word, the service, the upper-cased ISO code.
    static constexpr int RawValueRole = Qt::UserRole + 1;

    struct Column
    {
        QString identifier;
        int width = 0;
        CellKind kind = CellKind::Text;
        // The item key the column shows and sorts by; empty when it does not sort.
        QString key;
    };

    explicit MultiValueList(QObject *parent = nullptr);

    // The editor's size for a field, and its columns in order.
    static QSize contentSize(const QString &type);
    static QList<Column> columnsForType(const QString &type);
    // The first label of the field, which new items get.
    static QString firstLabel(const QString &type);

    // Copies of the contact's items; resets the model.
    void setItems(const QString &type, const QVariantList &items);
    QString type() const { return m_type; }
    const QList<Column> &columns() const { return m_columns; }
    QVariantMap item(int row) const { return m_items.value(row).toMap(); }
    // The edited list as the record takes it: labelIndex numbered by position, as a file read
    // numbers a field's items.
    QVariantList result() const;

    // Cells can be changed only while this is on.
    void setEditing(bool editing);
    bool isEditing() const { return m_editing; }

    // The item Add makes for the field ("new", the first label, the address with ZIP "123").
    QVariantMap newItem() const;
    // Inserts the item after the row (appends for -1); answers its row.
    int insertItem(const QVariantMap &item, int afterRow);
    // Puts an item edited elsewhere back by its labelIndex, or appends it when the list has none.
    int putItem(const QVariantMap &item);
    // Removes the rows (any order); answers whether any was removed.
    bool removeItems(QList<int> rows);
    // Moves a row so that it lands before the row `to` (the count appends).
    bool moveItem(int from, int to);

    // Answer whether the item changed.
    bool setText(int row, int column, const QString &text);
    bool setLabel(int row, const QString &label);
    bool setService(int row, const QString &service);
    // An empty code takes the country code away ("Default").
    bool setCountryCode(int row, const QString &code);

    // The composed text of an address item on one line.
    QString addressText(int row) const;
    // Address rows with a line break in a component are drawn two lines high.
    bool isTallRow(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Rows are reordered by dragging them within the editor.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }

Q_SIGNALS:
    // Any change of the list (enables the editor's Done).
    void listChanged();
    // An address item was recomputed: its text on one line.
    void addressTextChanged(const QString &text);

private:
    QString cellText(const QVariantMap &item, const Column &column) const;
    void replaceItem(int row, const QVariantMap &item);
    void recomputeAddress(int row, QVariantMap &item);

    QString m_type;
    QList<Column> m_columns;
    QVariantList m_items;
    bool m_editing = false;
};
