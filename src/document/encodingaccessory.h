// The encoding choice under the open panels: a popup of the ticked encodings ("Automatic" first in
// the encoding-only form) ending in "Customize Encoding List…", which opens a panel of check boxes.
// The full form adds a line-break popup (no command of the program shows it yet).
#pragma once

#include <QDialog>
#include <QWidget>

class EncodingList;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;

class EncodingAccessory : public QWidget
{
    Q_OBJECT

public:
    enum class AccessoryType { Full = 0, EncodingOnly = 1 };
    enum class LineBreakType { Unix = 0, Mac = 1, Windows = 2 };

    explicit EncodingAccessory(QWidget *parent = nullptr);
    ~EncodingAccessory() override;

    void setEncodingOnly();
    AccessoryType accessoryType() const { return m_accessoryType; }

    // 0 for "Automatic", else the chosen encoding's number.
    int encodingType();
    QString encodingTypeName() const;
    void setEncodingType(int encoding);
    LineBreakType lineBreakType() const;
    // Puts the popup back on its default item ("Automatic", or UTF-8 in the full form).
    void resetMenu();
    void disableEncodingMenu(bool disable);
    // Closes the customising panel.
    void requestClose();

    QComboBox *encodingPopup() const { return m_encodingTypePopup; }
    EncodingList *encodingList() const { return m_list; }

private:
    void setupEncodingPopup();
    void encodingTypePopupSelected(int index);
    void updateEncodingPopup(int encoding, bool ticked);
    void showCustomizePanel();
    int automaticOffset() const;

    EncodingList *m_list;
    QLabel *m_encodingTypePopupTitle;
    QComboBox *m_encodingTypePopup;
    QLabel *m_lineBreakTypePopupTitle;
    QComboBox *m_lineBreakTypePopup;
    QDialog *m_encodingListPanel = nullptr;
    AccessoryType m_accessoryType = AccessoryType::Full;
    int m_encoding = 0;
    int m_lastIndex = 0;
};
