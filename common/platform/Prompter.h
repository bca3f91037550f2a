// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

// Every message box, input box and file dialog of the program goes through
// one prompter, so that tests can answer them. The windows own a prompter
// that shows real dialogs; tests install one that answers from a script.
class Prompter
{
public:
    // YesNoSafe: Yes and No with No the default, for a question whose Yes
    // gives something up, so that Enter alone never does.
    enum class Buttons { Ok, YesNo, YesNoSafe };
    enum class Icon { None, Information, Exclamation, Question, Critical };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompter() = default;

    // The window the prompts belong to (centred over it, modal to it); null for none.
    virtual void setOwner(QObject *owner) { Q_UNUSED(owner); }

    virtual Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title) = 0;
    // The text entered; "" when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // The chosen file; "" when cancelled. filter is in the form "(*.TSY)|*.tsy".
    virtual QString openFileName(const QString &title, const QString &filter) = 0;
    virtual QString saveFileName(const QString &title, const QString &filter) = 0;
    // The chosen folder; "" when cancelled. The dialog opens at startFolder
    // (the home folder for ""), or at the nearest folder above it that exists.
    virtual QString folderName(const QString &title, const QString &startFolder) = 0;
};
