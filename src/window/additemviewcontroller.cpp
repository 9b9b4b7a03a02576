#include "window/additemviewcontroller.h"

#include "record/keys.h"
#include "window/customlabelpanelcontroller.h"
#include "window/windowkeys.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

AddItemViewController::AddItemViewController(QWidget *parent)
    : QDialog(parent)
    , m_nameField(new QLineEdit(this))
    , m_typePopup(new QComboBox(this))
    , m_iconButton(new QToolButton(this))
    , m_labelsView(new QListView(this))
    , m_labelsModel(new QStringListModel(this))
    , m_addLabelButton(new QPushButton(tr("Add"), this))
    , m_deleteLabelButton(new QPushButton(tr("Delete"), this))
    , m_confirmButton(new QPushButton(tr("Add"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowFlag(Qt::Popup);
    resize(360, 260);
    m_typePopup->addItem(tr("String Value"), ValueType::String);
    m_typePopup->addItem(tr("Labeled Value"), ValueType::Labeled);
    m_iconButton->setIconSize(QSize(32, 32));
    m_iconButton->setPopupMode(QToolButton::InstantPopup);
    m_iconButton->setMenu(new QMenu(m_iconButton));
    m_labelsView->setModel(m_labelsModel);

    auto *top = new QHBoxLayout;
    top->addWidget(m_iconButton);
    auto *fields = new QFormLayout;
    fields->addRow(tr("Name"), m_nameField);
    fields->addRow(tr("Type"), m_typePopup);
    top->addLayout(fields);
    auto *labelButtons = new QHBoxLayout;
    labelButtons->addWidget(m_addLabelButton);
    labelButtons->addWidget(m_deleteLabelButton);
    labelButtons->addStretch();
    labelButtons->addWidget(m_cancelButton);
    labelButtons->addWidget(m_confirmButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_labelsView);
    layout->addLayout(labelButtons);

    connect(m_nameField, &QLineEdit::textEdited, this, &AddItemViewController::textFieldChanged);
    connect(m_typePopup, &QComboBox::activated, this, &AddItemViewController::popupChanged);
    connect(m_addLabelButton, &QPushButton::clicked, this, &AddItemViewController::addLabel);
    connect(m_deleteLabelButton, &QPushButton::clicked, this, &AddItemViewController::deleteLabel);
    connect(m_confirmButton, &QPushButton::clicked, this, &AddItemViewController::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &AddItemViewController::cancel);
    connect(m_labelsModel, &QStringListModel::dataChanged, this,
            [this] { m_confirmButton->setEnabled(true); });
    connect(m_iconButton->menu(), &QMenu::aboutToShow, this, [this] {
        QMenu *menu = m_iconButton->menu();
        menu->clear();
        const bool hasImage = m_definition.contains(CustomItemKey::ImageIcon);
        menu->addAction(hasImage ? tr("Replace Image") : tr("Add Image"), this,
                        &AddItemViewController::chooseImage);
        if (hasImage)
            menu->addAction(tr("Delete Image"), this, [this] { imageDidChange(QImage()); });
    });
}

void AddItemViewController::setContextInfo(const QVariantMap &definition)
{
    m_definition = definition;
    const bool existing = !definition.isEmpty();
    if (existing) {
        m_definition.insert(CustomItemKey::Changed, false);
    } else {
        m_definition = { { CustomKey::Name, QString() },
                         { CustomKey::Type, ValueType::String },
                         { CustomKey::Labels, QStringList() },
                         { CustomItemKey::New, true } };
    }
    m_nameField->setText(existing ? definition.value(CustomKey::Name).toString() : tr("New"));
    m_nameField->setReadOnly(existing);
    m_typePopup->setCurrentIndex(m_typePopup->findData(m_definition.value(CustomKey::Type)));
    m_typePopup->setEnabled(!existing);
    m_confirmButton->setText(existing ? tr("Change") : tr("Add"));
    m_confirmButton->setEnabled(false);
    const bool labeled = m_definition.value(CustomKey::Type).toString() == ValueType::Labeled;
    m_labelsModel->setStringList(labeled ? m_definition.value(CustomKey::Labels).toStringList()
                                         : QStringList());
    updateLabelButtons();
    showIcon();
}

QStringList AddItemViewController::labels() const
{
    return m_labelsModel->stringList();
}

void AddItemViewController::updateLabelButtons()
{
    const bool labeled = m_definition.value(CustomKey::Type).toString() == ValueType::Labeled;
    m_addLabelButton->setEnabled(labeled);
    m_deleteLabelButton->setEnabled(labeled && m_labelsModel->rowCount() > 0);
}

void AddItemViewController::showIcon()
{
    const QImage image = m_definition.value(CustomItemKey::ImageIcon).value<QImage>();
    m_iconButton->setIcon(image.isNull() ? style()->standardIcon(QStyle::SP_FileIcon)
                                         : QIcon(QPixmap::fromImage(image)));
}

void AddItemViewController::textFieldChanged(const QString &text)
{
    if (text.isEmpty())
        return;
    m_definition.insert(CustomKey::Name, text);
    m_confirmButton->setEnabled(true);
}

void AddItemViewController::popupChanged(int index)
{
    m_typePopup->setCurrentIndex(index);
    m_definition.insert(CustomKey::Type, m_typePopup->itemData(index));
    if (m_definition.value(CustomKey::Type).toString() != ValueType::Labeled)
        m_labelsModel->setStringList({});
    updateLabelButtons();
    m_confirmButton->setEnabled(true);
}

void AddItemViewController::addLabel()
{
    QStringList list = labels();
    const QString name = CustomLabelPanelController::newLabelName(list);
    const QModelIndex current = m_labelsView->currentIndex();
    const int row = current.isValid() ? current.row() : int(list.size());
    m_labelsModel->insertRows(row, 1);
    m_labelsModel->setData(m_labelsModel->index(row), name);
    m_labelsView->setCurrentIndex(m_labelsModel->index(row));
    m_labelsView->edit(m_labelsModel->index(row));
    m_definition.insert(CustomItemKey::Changed, true);
    m_confirmButton->setEnabled(true);
    updateLabelButtons();
}

void AddItemViewController::deleteLabel()
{
    const QModelIndex current = m_labelsView->currentIndex();
    if (!current.isValid())
        return;
    m_labelsModel->removeRows(current.row(), 1);
    m_definition.insert(CustomItemKey::Changed, true);
    m_confirmButton->setEnabled(true);
    updateLabelButtons();
}

QImage AddItemViewController::scaledIcon(const QImage &image)
{
    const int limit = CustomItemKey::MaxIconSide;
    if (image.width() <= limit && image.height() <= limit)
        return image;
    return image.scaled(limit, limit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void AddItemViewController::imageDidChange(const QImage &image)
{
    if (image.isNull())
        m_definition.remove(CustomItemKey::ImageIcon);
    else
        m_definition.insert(CustomItemKey::ImageIcon, scaledIcon(image));
    m_definition.insert(CustomItemKey::Changed, true);
    m_confirmButton->setEnabled(true);
    showIcon();
}

void AddItemViewController::chooseImage()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Add Image"), QString(),
                                                      tr("Images (*.png *.jpg *.jpeg *.gif *.bmp *.tiff)"));
    if (path.isEmpty())
        return;
    QImageReader reader(path);
    const QImage image = reader.read();
    if (!image.isNull())
        imageDidChange(image);
}

bool AddItemViewController::confirm()
{
    const bool labeled = m_definition.value(CustomKey::Type).toString() == ValueType::Labeled;
    QStringList list = labels();
    list.removeAll(QString());
    if (m_definition.value(CustomKey::Name).toString().isEmpty() || (labeled && list.isEmpty())) {
        QApplication::beep();
        return false;
    }
    m_definition.insert(CustomKey::Labels, list);
    m_definition.insert(CustomItemKey::Changed, true);
    accept();
    return true;
}

void AddItemViewController::cancel()
{
    m_definition.remove(CustomItemKey::New);
    m_definition.remove(CustomItemKey::Changed);
    reject();
}
