// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

// Dialogs answered from scripts; every question asked is recorded.
class FakeDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        Icon icon;
        Buttons buttons;
        QString title;
    };

    Answer message(const QString &text, Icon icon, Buttons buttons, const QString &title) override {
        messages.append({text, icon, buttons, title});
        return answers.isEmpty() ? Answer::Ok : answers.takeFirst();
    }
    QString input(const QString &prompt, const QString &title,
                  const QString &defaultText) override {
        inputPrompts << prompt;
        inputTitles << title;
        inputDefaults << defaultText;
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    QString openFile(const QString &filter) override {
        openFilters << filter;
        if (onFileDialog)
            onFileDialog();
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFile(const QString &filter) override {
        saveFilters << filter;
        if (onFileDialog)
            onFileDialog();
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    QString saveFileAs(const QString &filter, const QString &defaultSuffix) override {
        saveFilters << filter;
        saveSuffixes << defaultSuffix;
        if (onFileDialog)
            onFileDialog();
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }

    QList<Message> messages;
    QList<Answer> answers;
    QStringList inputPrompts, inputTitles, inputDefaults, inputAnswers;
    QStringList openFilters, openAnswers;
    QStringList saveFilters, saveAnswers, saveSuffixes;
    // Runs while a file dialog is open: the timers and other windows go on meanwhile.
    std::function<void()> onFileDialog;
};
