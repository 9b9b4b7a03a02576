#include "document/encodingaccessory.h"

#include "platform/encodinglist.h"
#include "platform/encodings.h"
#include "platform/userdefaults.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Item data of the popup's last entry, which opens the customising panel instead of choosing.
constexpr int kCustomizeItem = -1;
} // namespace

EncodingAccessory::EncodingAccessory(QWidget *parent)
    : QWidget(parent)
    , m_list(new EncodingList(UserDefaults::standard(), this))
    , m_encodingTypePopupTitle(new QLabel(tr("Encoding:"), this))
    , m_encodingTypePopup(new QComboBox(this))
    , m_lineBreakTypePopupTitle(new QLabel(tr("Line Breaks:"), this))
    , m_lineBreakTypePopup(new QComboBox(this))
{
    m_lineBreakTypePopup->addItem(tr("Unix (LF)"), int(LineBreakType::Unix));
    m_lineBreakTypePopup->addItem(tr("Windows (CR/LF)"), int(LineBreakType::Windows));
    m_lineBreakTypePopup->addItem(tr("Mac (CR)"), int(LineBreakType::Mac));
    m_encodingTypePopupTitle->setBuddy(m_encodingTypePopup);
    m_lineBreakTypePopupTitle->setBuddy(m_lineBreakTypePopup);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_encodingTypePopupTitle, 0, 0, Qt::AlignRight);
    layout->addWidget(m_encodingTypePopup, 0, 1);
    layout->addWidget(m_lineBreakTypePopupTitle, 1, 0, Qt::AlignRight);
    layout->addWidget(m_lineBreakTypePopup, 1, 1);
    layout->setColumnStretch(2, 1);

    connect(m_encodingTypePopup, &QComboBox::activated, this, &EncodingAccessory::encodingTypePopupSelected);
    connect(m_list, &EncodingList::tickChanged, this, &EncodingAccessory::updateEncodingPopup);
    connect(m_list, &EncodingList::ticksReset, this, &EncodingAccessory::setupEncodingPopup);
    setupEncodingPopup();
}

EncodingAccessory::~EncodingAccessory() = default;

int EncodingAccessory::automaticOffset() const
{
    return m_accessoryType == AccessoryType::EncodingOnly ? 1 : 0;
}

void EncodingAccessory::setupEncodingPopup()
{
    m_encodingTypePopup->clear();
    for (int encoding : m_list->tickedEncodings())
        m_encodingTypePopup->addItem(Encodings::encodingTypeName(encoding), encoding);
    if (m_accessoryType == AccessoryType::EncodingOnly)
        m_encodingTypePopup->insertItem(0, tr("Automatic"), Encodings::Automatic);
    m_encodingTypePopup->insertSeparator(m_encodingTypePopup->count());
    m_encodingTypePopup->addItem(tr("Customize Encoding List…"), kCustomizeItem);
    resetMenu();
}

void EncodingAccessory::setEncodingOnly()
{
    m_accessoryType = AccessoryType::EncodingOnly;
    m_lineBreakTypePopupTitle->hide();
    m_lineBreakTypePopup->hide();
    setupEncodingPopup();
}

void EncodingAccessory::resetMenu()
{
    int index = 0;
    if (m_accessoryType == AccessoryType::Full) {
        index = std::max(0, m_encodingTypePopup->findData(Encodings::UTF8));
    }
    m_encodingTypePopup->setCurrentIndex(index);
    m_lastIndex = index;
}

int EncodingAccessory::encodingType()
{
    const QVariant data = m_encodingTypePopup->currentData();
    if (!data.isValid() || data.toInt() == kCustomizeItem) {
        if (m_accessoryType == AccessoryType::Full)
            m_encoding = 0;
        return m_encoding;
    }
    m_encoding = data.toInt();
    return m_encoding;
}

QString EncodingAccessory::encodingTypeName() const
{
    return m_encodingTypePopup->currentText();
}

void EncodingAccessory::setEncodingType(int encoding)
{
    if (m_accessoryType != AccessoryType::Full)
        return;
    const int index = m_encodingTypePopup->findData(encoding);
    if (index < 0)
        return;
    m_encodingTypePopup->setCurrentIndex(index);
    m_lastIndex = index;
    m_encoding = encoding;
}

EncodingAccessory::LineBreakType EncodingAccessory::lineBreakType() const
{
    return LineBreakType(m_lineBreakTypePopup->currentData().toInt());
}

void EncodingAccessory::disableEncodingMenu(bool disable)
{
    const int utf8 = m_encodingTypePopup->findData(Encodings::UTF8);
    if (utf8 >= 0)
        m_encodingTypePopup->setCurrentIndex(utf8);
    m_lineBreakTypePopup->setCurrentIndex(0);
    m_encodingTypePopup->setEnabled(!disable);
    m_lineBreakTypePopup->setEnabled(!disable);
}

void EncodingAccessory::encodingTypePopupSelected(int index)
{
    if (m_encodingTypePopup->itemData(index).toInt() == kCustomizeItem) {
        // The last entry is a command, not a choice: keep the previous choice shown.
        m_encodingTypePopup->setCurrentIndex(m_lastIndex);
        showCustomizePanel();
        return;
    }
    m_lastIndex = index;
    m_encoding = m_encodingTypePopup->itemData(index).toInt();
}

void EncodingAccessory::updateEncodingPopup(int encoding, bool ticked)
{
    const int existing = m_encodingTypePopup->findData(encoding);
    if (!ticked) {
        if (existing >= 0)
            m_encodingTypePopup->removeItem(existing);
        m_encodingTypePopup->setCurrentIndex(0);
        m_lastIndex = 0;
        return;
    }
    if (existing >= 0)
        return;
    const int at = automaticOffset();
    m_encodingTypePopup->insertItem(at, Encodings::encodingTypeName(encoding), encoding);
    m_encodingTypePopup->setCurrentIndex(at);
    m_lastIndex = at;
    m_encoding = encoding;
}

void EncodingAccessory::showCustomizePanel()
{
    if (!m_encodingListPanel) {
        m_encodingListPanel = new QDialog(window());
        m_encodingListPanel->setWindowTitle(tr("Customize Encoding List"));
        auto *view = new QListView(m_encodingListPanel);
        view->setModel(m_list);
        view->setMinimumSize(360, 320);
        auto *selectAll = new QPushButton(tr("Select All"), m_encodingListPanel);
        auto *clearAll = new QPushButton(tr("Clear All"), m_encodingListPanel);
        auto *revert = new QPushButton(tr("Revert to Default"), m_encodingListPanel);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_encodingListPanel);
        buttons->addButton(selectAll, QDialogButtonBox::ActionRole);
        buttons->addButton(clearAll, QDialogButtonBox::ActionRole);
        buttons->addButton(revert, QDialogButtonBox::ResetRole);
        auto *layout = new QVBoxLayout(m_encodingListPanel);
        layout->addWidget(view);
        layout->addWidget(buttons);
        connect(selectAll, &QPushButton::clicked, m_list, &EncodingList::selectAll);
        connect(clearAll, &QPushButton::clicked, m_list, &EncodingList::clearAll);
        connect(revert, &QPushButton::clicked, m_list, &EncodingList::revertToDefaultTicks);
        connect(buttons, &QDialogButtonBox::rejected, m_encodingListPanel, &QDialog::close);
        // Closing the panel stores the ticked names.
        connect(m_encodingListPanel, &QDialog::finished, m_list, &EncodingList::save);
    }
    // Usable while the open panel runs modally: make it modal on top of it.
    m_encodingListPanel->setWindowModality(Qt::ApplicationModal);
    m_encodingListPanel->show();
    m_encodingListPanel->raise();
}

void EncodingAccessory::requestClose()
{
    if (m_encodingListPanel && m_encodingListPanel->isVisible())
        m_encodingListPanel->close();
}
