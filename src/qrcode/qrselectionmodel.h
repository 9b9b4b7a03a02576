// The QR panel's selection table: which of a contact's values go into the payload. Column 0 names
// the field, column 1 is a check box per value, enabled as the payload format allows.
#pragma once

#include "record/qvperson.h"

#include <QAbstractTableModel>
#include <QVariantList>

class QRSelectionModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        TypeColumn,
        ValueColumn,
        ColumnCount
    };

    explicit QRSelectionModel(QObject *parent = nullptr);

    // Rebuilds the rows from the contact; a null person gives none.
    void setPerson(const PersonPtr &person);
    PersonPtr person() const { return m_person; }
    void setFormat(const QString &format);
    QString format() const { return m_format; }
    QVariantList rows() const { return m_rows; }
    // The payload of the current format for the ticked rows.
    QString payload() const;
    qreal rowHeight(int row) const;
    void setBaseRowHeight(qreal height) { m_baseRowHeight = height; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

Q_SIGNALS:
    // A check box was ticked or cleared: the payload changed.
    void selectionChanged();

private:
    PersonPtr m_person;
    QString m_format;
    QVariantList m_rows;
    qreal m_baseRowHeight = 20.0;
};
