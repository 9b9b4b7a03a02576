// One side of the merge panel as a table: a label column and a value column over the session's
// rows of that side.
#pragma once

#include "merge/mergesession.h"

#include <QAbstractTableModel>
#include <QPointer>

class MergeTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        LabelColumn,
        ValueColumn,
        ColumnCount
    };
    enum Role
    {
        // The labels a row's popup offers (stored form) and their titles, in the same order.
        LabelChoicesRole = Qt::UserRole + 1,
        LabelTitlesRole,
        // Text lines the row needs.
        LinesRole,
    };

    MergeTableModel(MergeSession *session, MergeSession::Side side, QObject *parent = nullptr);

    MergeSession::Side side() const { return m_side; }
    MergeSession *session() const { return m_session; }
    // The title a stored label shows.
    static QString labelTitle(const MergeRow &row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    void reload();
    void updateThumbnail();

    QPointer<MergeSession> m_session;
    MergeSession::Side m_side;
    int m_rowCount = 0;
    // Decoded once per change, not on every paint.
    QImage m_thumbnail;
};
