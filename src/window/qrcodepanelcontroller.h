// QRCodePanelController: one contact as a QR code. The user picks a payload format and the values
// that go into it, sees the payload text beside the symbol and can copy the symbol as a PNG image.
// A window-modal sheet on the document window.
#pragma once

#include "record/entries.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRSelectionModel;
class QTableView;

class QRCodePanelController : public QDialog
{
    Q_OBJECT

public:
    explicit QRCodePanelController(QWidget *parent = nullptr);

    // The row whose contact is shown; the selection rows are built anew.
    void setContact(const SubContactRow &row);
    QString format() const;
    void setFormat(const QString &format);
    // The payload shown, exactly as encoded (line ends included).
    QString payload() const;
    // The symbol shown; null when there is none (no contact, or a payload too long for a symbol).
    QImage image() const { return m_image; }
    QRSelectionModel *selectionModel() const { return m_model; }
    QTableView *tableView() const { return m_tableView; }

    // Puts the shown symbol on the clipboard as PNG, its only type; nothing without a symbol.
    void copy();

private:
    void formatPopupSelected();
    void regenerate();
    void applyRowHeights();

    QRSelectionModel *m_model;
    QComboBox *m_formatPopup;
    QTableView *m_tableView;
    QLabel *m_imageView;
    QPlainTextEdit *m_textView;
    QPushButton *m_copyButton;
    QPushButton *m_closeButton;
    QString m_payload;
    QImage m_image;
    qreal m_rowHeight = 20.0;
};
