#include "window/qrcodepanelcontroller.h"

#include "qrcode/keys.h"
#include "qrcode/qrcodeimage.h"
#include "qrcode/qrselectionmodel.h"

#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// Room for the largest symbol (177 modules at 5 pixels, with its margin).
constexpr int kImageSide = 300;
} // namespace

QRCodePanelController::QRCodePanelController(QWidget *parent)
    : QDialog(parent)
    , m_model(new QRSelectionModel(this))
    , m_formatPopup(new QComboBox(this))
    , m_tableView(new QTableView(this))
    , m_imageView(new QLabel(this))
    , m_textView(new QPlainTextEdit(this))
    , m_copyButton(new QPushButton(tr("Copy as PNG"), this))
    , m_closeButton(new QPushButton(tr("Close"), this))
{
    setObjectName(QStringLiteral("QRCodePanelController"));
    setWindowTitle(tr("QR Code"));
    setWindowModality(Qt::WindowModal);

    m_formatPopup->addItems(QRFormat::all());
    connect(m_formatPopup, &QComboBox::currentTextChanged, this, &QRCodePanelController::formatPopupSelected);

    m_model->setBaseRowHeight(m_rowHeight);
    m_model->setFormat(m_formatPopup->currentText());
    m_tableView->setModel(m_model);
    m_tableView->verticalHeader()->hide();
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->setWordWrap(true);
    connect(m_model, &QRSelectionModel::selectionChanged, this, &QRCodePanelController::regenerate);
    connect(m_model, &QAbstractItemModel::modelReset, this, &QRCodePanelController::applyRowHeights);

    m_imageView->setObjectName(QStringLiteral("qrCodeImage"));
    m_imageView->setAlignment(Qt::AlignCenter);
    m_imageView->setMinimumSize(kImageSide, kImageSide);
    m_imageView->setAutoFillBackground(true);
    QPalette white = m_imageView->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_imageView->setPalette(white);
    m_imageView->setWordWrap(true);

    m_textView->setReadOnly(true);
    m_textView->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    connect(m_copyButton, &QPushButton::clicked, this, &QRCodePanelController::copy);
    connect(m_closeButton, &QPushButton::clicked, this, [this] {
        done(1);
        m_payload.clear();
        m_textView->clear();
    });

    auto *right = new QVBoxLayout;
    right->addWidget(m_imageView);
    right->addWidget(m_textView, 1);
    auto *left = new QVBoxLayout;
    left->addWidget(m_formatPopup);
    left->addWidget(m_tableView, 1);
    auto *panes = new QHBoxLayout;
    panes->addLayout(left, 1);
    panes->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copyButton);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);
    resize(720, 460);
}

void QRCodePanelController::setContact(const SubContactRow &row)
{
    m_payload.clear();
    m_textView->clear();
    m_model->setPerson(row.person);
    m_tableView->resizeColumnToContents(QRSelectionModel::TypeColumn);
    regenerate();
}

QString QRCodePanelController::format() const
{
    return m_formatPopup->currentText();
}

void QRCodePanelController::setFormat(const QString &format)
{
    m_formatPopup->setCurrentText(format);
}

QString QRCodePanelController::payload() const
{
    return m_payload;
}

void QRCodePanelController::formatPopupSelected()
{
    m_model->setFormat(m_formatPopup->currentText());
    regenerate();
}

void QRCodePanelController::regenerate()
{
    m_payload = m_model->payload();
    m_textView->setPlainText(m_payload);
    m_image = m_payload.isEmpty() ? QImage() : QRCodeImage::createQRCodeFromString(m_payload);
    if (m_image.isNull()) {
        m_imageView->setPixmap(QPixmap());
        m_imageView->setText(m_payload.isEmpty() ? QString() : tr("The text is too long for a QR code."));
    } else {
        m_imageView->setPixmap(QPixmap::fromImage(m_image));
    }
    m_copyButton->setEnabled(!m_image.isNull());
    applyRowHeights();
}

void QRCodePanelController::applyRowHeights()
{
    QHeaderView *rows = m_tableView->verticalHeader();
    for (int row = 0; row < m_model->rowCount(); ++row)
        rows->resizeSection(row, qRound(m_model->rowHeight(row)));
}

void QRCodePanelController::copy()
{
    if (m_image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_image.save(&buffer, "PNG", 100);
    auto *data = new QMimeData;
    data->setData(QRClipboard::PngMimeType, png);
    QGuiApplication::clipboard()->setMimeData(data);
}
