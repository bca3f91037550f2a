// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The translations a German desktop gets, installed as the program installs
// them: Qt's own, then the library's catalogue from the build folder
// (TESSALY_TRANSLATIONS_DIR).
namespace Translators {

// Installs both for the system locale; the catalogues that could not be
// loaded, "" when both were.
inline QString installForSystemLocale(QObject *owner)
{
    QString missing;
    const QList<std::pair<QString, QString>> catalogues = {
        {QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
        {QStringLiteral("pemberly"), QStringLiteral(TESSALY_TRANSLATIONS_DIR)},
    };
    for (const auto &[name, folder] : catalogues) {
        auto *translator = new QTranslator(owner);
        if (translator->load(QLocale::system(), name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            missing += QStringLiteral(" %1 in %2").arg(name, folder);
    }
    return missing.trimmed();
}

}  // namespace Translators
