// Editors of one account of a contact: an instant-message address (label, service, user name) and a
// social-network profile (service, user name, user identifier, URL).
#pragma once

#include "detail/detaileditor.h"

class QComboBox;
class QLineEdit;

class InstantMessageEditor : public DetailEditor
{
    Q_OBJECT

public:
    explicit InstantMessageEditor(QWidget *parent = nullptr);

protected:
    void loadContext() override;
    QVariant result() const override;

private:
    QComboBox *m_label;
    QComboBox *m_service;
    QLineEdit *m_username;
    QVariantMap m_start;
};

class SocialNetworkEditor : public DetailEditor
{
    Q_OBJECT

public:
    explicit SocialNetworkEditor(QWidget *parent = nullptr);

protected:
    void loadContext() override;
    QVariant result() const override;

private:
    QComboBox *m_service;
    QLineEdit *m_username;
    QLineEdit *m_userIdentifier;
    QLineEdit *m_url;
    QVariantMap m_start;
};
