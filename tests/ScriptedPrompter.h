// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Prompter.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <utility>

// A prompter for tests: answers from queues filled by the test and records
// every question asked ("message|title|text", "input|title|prompt|default",
// "open|title|filter", "save|title|filter", "folder|title|start folder"). An
// empty queue answers as a cancelled dialog would.
class ScriptedPrompter : public Prompter
{
public:
    QList<Answer> answers;
    QStringList inputs;
    QStringList openFiles;
    QStringList saveFiles;
    QStringList folders;
    QStringList asked;
    // dialogState seen while each question was up, when watched is set.
    const int *watched = nullptr;
    QList<int> statesSeen;
    // Runs while the next question is up (as other events run during a real dialog).
    std::function<void()> whileAsking;

    Answer messageBox(const QString &text, Buttons buttons, Icon, const QString &title) override
    {
        record(QStringLiteral("message|%1|%2").arg(title, text));
        if (answers.isEmpty())
            return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
        return answers.takeFirst();
    }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        record(QStringLiteral("input|%1|%2|%3").arg(title, prompt, defaultText));
        return inputs.isEmpty() ? QString() : inputs.takeFirst();
    }
    QString openFileName(const QString &title, const QString &filter) override
    {
        record(QStringLiteral("open|%1|%2").arg(title, filter));
        return openFiles.isEmpty() ? QString() : openFiles.takeFirst();
    }
    QString saveFileName(const QString &title, const QString &filter) override
    {
        record(QStringLiteral("save|%1|%2").arg(title, filter));
        return saveFiles.isEmpty() ? QString() : saveFiles.takeFirst();
    }
    QString folderName(const QString &title, const QString &startFolder) override
    {
        record(QStringLiteral("folder|%1|%2").arg(title, startFolder));
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }

private:
    void record(const QString &question)
    {
        asked << question;
        if (watched)
            statesSeen << *watched;
        if (whileAsking)
            std::exchange(whileAsking, {})();
    }
};
