// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/publishing.h"

#include "publish/publishing_model.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Publishing::Publishing(PublishingModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model) {
    setObjectName(QString(PublishingModel::Name));
    setWindowTitle(model.caption());
    const PublishingSession::Settings &settings = model.session().settings();
    auto *form = new QFormLayout;
    const auto field = [&](const char *name, const QString &label, const QString &text,
                           const QString &hint) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(QString(label).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
        edit->setPlaceholderText(hint);
        form->addRow(label, edit);
        return edit;
    };
    m_url = field("TxtBroker", QStringLiteral("&Broker:"), settings.url,
                  QStringLiteral("mqtt://host[:port] or mqtts://host[:port]"));
    m_caFile = field("TxtCaFile", QStringLiteral("&CA certificates:"), settings.caFile,
                     QStringLiteral("with mqtts://: a PEM file"));
    m_user =
        field("TxtUser", QStringLiteral("&User:"), settings.user, QStringLiteral("empty: no user"));
    m_password = field("TxtPassword", QStringLiteral("&Password:"), {},
                       QStringLiteral("asked for at each run, never kept"));
    m_password->setEchoMode(QLineEdit::Password);
    m_name =
        field("TxtName", QStringLiteral("&Name:"), settings.name, model.session().defaultName());

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LblPublishingStatus"));
    m_status->setAccessibleName(QStringLiteral("Publishing status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *publish = new QPushButton(QStringLiteral("P&ublish"), this);
    publish->setObjectName(QStringLiteral("BtnPublish"));
    publish->setDefault(true);
    connect(publish, &QPushButton::clicked, this, &Publishing::publish);
    auto *stop = new QPushButton(QStringLiteral("&Stop"), this);
    stop->setObjectName(QStringLiteral("BtnStopPublishing"));
    connect(stop, &QPushButton::clicked, this, [this] { m_model.stop(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(publish);
    buttons->addWidget(stop);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    connect(&model.session(), &PublishingSession::changed, this, &Publishing::showStatus);
    showStatus();
    resize(480, sizeHint().height());
}

void Publishing::publish() {
    const QString error = m_model.publish({m_url->text().trimmed(), m_caFile->text().trimmed(),
                                           m_user->text().trimmed(), m_name->text().trimmed()},
                                          m_password->text());
    if (!error.isEmpty())
        m_status->setText(error);
}

void Publishing::showStatus() {
    m_status->setText(m_model.session().statusText());
}
