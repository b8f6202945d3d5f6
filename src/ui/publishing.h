// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class PublishingModel;
class QLabel;
class QLineEdit;

// The "Publishing" window: where the samples go besides the recording. The password is
// typed at each run and never kept.
class Publishing : public QWidget {
    Q_OBJECT

public:
    explicit Publishing(PublishingModel &model, QWidget *parent = nullptr);

private:
    void publish();
    void showStatus();

    PublishingModel &m_model;
    QLineEdit *m_url = nullptr;
    QLineEdit *m_caFile = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_name = nullptr;
    QLabel *m_status = nullptr;
};
