// The find panel's result table: one row per item holding the search text, with the current
// occurrence of the current row; the value column's cells are edited like a replacement.
#pragma once

#include "find/panelsearch.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

class FindResultModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        NameColumn,
        ItemColumn,
        SubItemColumn,
        LabelColumn,
        ValueColumn,
        ColumnCount
    };
    // The occurrences of a row (QList<TextRange>) and the current one's index (-1: none).
    static constexpr int RangesRole = Qt::UserRole + 1;
    static constexpr int CurrentRangeRole = Qt::UserRole + 2;

    explicit FindResultModel(QObject *parent = nullptr);

    void setResults(QList<ResultRow> rows);
    const QList<ResultRow> &results() const { return m_rows; }
    ResultRow &resultAt(int row) { return m_rows[row]; }
    void setCurrent(int row, int rangeIndex);
    int currentRow() const { return m_currentRow; }
    int currentRangeIndex() const { return m_currentRange; }
    void setEditable(bool editable) { m_editable = editable; }
    // The row changed (its value and ranges were replaced).
    void rowChanged(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    void sort(int column, Qt::SortOrder order) override;

Q_SIGNALS:
    // A value cell was edited: the row's new text.
    void valueEdited(int row, const QString &value);

private:
    QList<ResultRow> m_rows;
    int m_currentRow = -1;
    int m_currentRange = -1;
    bool m_editable = false;
};

// Draws the value column with every occurrence marked, the current one in the selection colour.
class FindResultDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
