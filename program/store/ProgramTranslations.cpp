// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString separator = QStringLiteral("_");
const QString englishFallback = QStringLiteral("en");

}  // namespace

ProgramTranslations::ProgramTranslations(const QString &appFolder, const QLocale &locale)
{
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath), locale);
    const QString own = folder(appFolder);
    install(QStringLiteral("tessaly"), own, locale);
    install(QStringLiteral("pemberly"), own, locale);
}

ProgramTranslations::~ProgramTranslations()
{
    for (const auto &translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
}

QStringList ProgramTranslations::files() const
{
    QStringList result;
    for (const auto &translator : m_translators)
        result << translator->filePath();
    return result;
}

QString ProgramTranslations::folder(const QString &appFolder)
{
    const QString beside = appFolder + QStringLiteral("/translations");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = QDir::cleanPath(appFolder + QStringLiteral("/../share/tessaly/translations"));
    return QFileInfo(installed).isDir() ? installed : beside;
}

void ProgramTranslations::install(const QString &name, const QString &folder, const QLocale &locale)
{
    auto translator = std::make_unique<QTranslator>();
    // Qt's own texts have no English catalogue: they are English already.
    const bool loaded = translator->load(locale, name, separator, folder)
        || (name != QLatin1String("qtbase") && translator->load(name + separator + englishFallback, folder));
    if (!loaded || !QCoreApplication::installTranslator(translator.get()))
        return;
    m_translators.push_back(std::move(translator));
}
