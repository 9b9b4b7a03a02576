// ImportPanelController: the sheet of an import. It lists the names of the contacts read from a
// file, shows the selected one read-only beside the list, and ends with Select (1) or Cancel (0).
#pragma once

#include "record/entries.h"

#include <QAbstractListModel>
#include <QDialog>

class ContactInfoController;
class QLabel;
class QListView;
class QPushButton;

// The names of the contacts read, with their photos (or the stand-in images).
class ImportNameModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ImportNameModel(QObject *parent = nullptr);

    void setNameTable(const ContactList &contacts);
    const ContactList &nameTable() const { return m_nameTable; }
    void setRowHeight(int rowHeight) { m_rowHeight = rowHeight; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ContactList m_nameTable;
    int m_rowHeight = 20;
};

class ImportPanelController : public QDialog
{
    Q_OBJECT

public:
    explicit ImportPanelController(QWidget *parent = nullptr);

    // The file's last path component, shown above the list.
    void setFilename(const QString &filename);
    QString filename() const { return m_filename; }
    void setNameTable(const ContactList &contacts);
    const ContactList &nameTable() const { return m_model->nameTable(); }
    // Says how many cards of the file gave no contact, so that a partial import is not mistaken
    // for the whole file; 0 hides the notice.
    void setSkippedCards(qsizetype count);
    QString skippedCardsNotice() const;
    // The selected rows, ascending.
    QList<int> selectedIndexes() const;

    QListView *nameTableView() const { return m_nameTableView; }
    QPushButton *selectButton() const { return m_selectButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

private:
    void buttonPressed(int returnCode);
    void currentRowChanged(const QModelIndex &current);

    ImportNameModel *m_model;
    QLabel *m_importFilename;
    QLabel *m_skippedCards;
    QListView *m_nameTableView;
    ContactInfoController *m_contactInfoController;
    QPushButton *m_cancelButton;
    QPushButton *m_selectButton;
    QString m_filename;
    int m_rowHeight = 20;
};
