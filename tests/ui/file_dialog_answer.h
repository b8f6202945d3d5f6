// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers the next file dialog once it shows, and makes sure it closes in time.
//
// A name is typed into the dialog's file-name field: QFileDialog::selectFile() leaves that
// field alone while it has keyboard focus, and whether it has focus by then is a matter of
// timing. Whatever the answer does, a dialog that has not shown, or is still open, when the
// deadline passes is rejected (with any box it opened on top), so the code under test returns
// and the test fails with failure() instead of hanging.
class FileDialogAnswer {
public:
    using Answer = std::function<void(QFileDialog *)>;

    explicit FileDialogAnswer(Answer answer, int deadlineMs = 5000)
        : m_answer(std::move(answer)), m_deadlineMs(deadlineMs) {
        m_clock.start();
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
        m_poll.start();
    }

    // Types the path into the file-name field and presses the dialog's accept.
    static void accept(QFileDialog *dialog, const QString &path) {
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (name)
            name->setText(path);
        static_cast<QDialog *>(dialog)->accept(); // public there
    }

    bool answered() const { return m_answered; }
    // Empty when the dialog showed, was answered and closed before the deadline.
    QString failure() const {
        if (!m_failure.isEmpty())
            return m_failure;
        return m_answered ? QString() : QStringLiteral("no file dialog was shown");
    }

private:
    void poll() {
        auto *modal = QApplication::activeModalWidget();
        if (!m_answered) {
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                m_answered = true;
                m_dialog = dialog;
                m_clock.restart();
                m_answer(dialog);
                return;
            }
        } else if (!m_dialog || !m_dialog->isVisible()) {
            m_poll.stop(); // answered and closed
            return;
        }
        if (m_clock.elapsed() < m_deadlineMs)
            return;
        m_failure = m_answered
                        ? QStringLiteral("the file dialog was still open %1 ms after its answer")
                              .arg(m_deadlineMs)
                        : QStringLiteral("no file dialog was shown within %1 ms").arg(m_deadlineMs);
        // Close whatever is modal on top (a "file not found" box, say), then the dialog.
        for (int boxes = 0; boxes < 8; ++boxes) {
            auto *top = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!top || top == m_dialog)
                break;
            top->reject();
        }
        if (m_dialog)
            m_dialog->reject();
        m_poll.stop();
    }

    Answer m_answer;
    int m_deadlineMs;
    QElapsedTimer m_clock;
    QTimer m_poll;
    QPointer<QFileDialog> m_dialog;
    bool m_answered = false;
    QString m_failure;
};
