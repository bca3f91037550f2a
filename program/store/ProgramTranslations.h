// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QTranslator;

// The translations of the user interface, installed into the application for
// as long as the object lives: Qt's own texts (qtbase), then the program's
// (tessaly) and the library's (pemberly) in the first of the locale's
// languages that has a catalogue. English is the source language: where no
// catalogue of the user's languages exists, the English one gives the
// singular and plural forms of the texts that count. A missing catalogue is
// no error; the texts stay English.
class ProgramTranslations
{
public:
    explicit ProgramTranslations(const QString &appFolder, const QLocale &locale = QLocale::system());
    ~ProgramTranslations();
    ProgramTranslations(const ProgramTranslations &) = delete;
    ProgramTranslations &operator=(const ProgramTranslations &) = delete;

    // The catalogue files installed, in the order they were installed.
    QStringList files() const;

    // The folder of the program's and the library's catalogues: "translations"
    // beside the program, or share/tessaly/translations of the installed prefix.
    static QString folder(const QString &appFolder);

private:
    void install(const QString &name, const QString &folder, const QLocale &locale);

    std::vector<std::unique_ptr<QTranslator>> m_translators;
};
