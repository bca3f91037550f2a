// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AboutCommands.h"

#include "AppState.h"
#include "ComponentRegistry.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <memory>

namespace AboutCommands {
namespace {

std::unique_ptr<QObject> createAbout(QString *error)
{
    return std::unique_ptr<QObject>(
        ComponentRegistry::createObject(QStringLiteral("Pemberly.uAbout"), nullptr, error));
}

}  // namespace

bool showAboutBox(AppState &state, QObject *window, QString *error)
{
    const std::unique_ptr<QObject> about = createAbout(error);
    if (!about)
        return false;
    const bool shown = QMetaObject::invokeMethod(
        about.get(), "showAbout", Qt::DirectConnection, Q_ARG(QObject *, window),
        Q_ARG(QString, state.appFolder), Q_ARG(int, TESSALY_VERSION_MAJOR), Q_ARG(int, TESSALY_VERSION_MINOR),
        Q_ARG(int, TESSALY_VERSION_PATCH), Q_ARG(bool, true));
    if (!shown && error)
        *error = QCoreApplication::translate("AboutCommands", "The about box could not be shown");
    return shown;
}

bool sDo(QObject *window, int action, QString *error)
{
    const std::unique_ptr<QObject> about = createAbout(error);
    if (!about)
        return false;
    bool started = false;
    QMetaObject::invokeMethod(about.get(), "sDo", Qt::DirectConnection, Q_RETURN_ARG(bool, started),
                              Q_ARG(QObject *, window), Q_ARG(int, action));
    if (!started && error)
        *error = QCoreApplication::translate("AboutCommands", "The address could not be opened");
    return started;
}

}  // namespace AboutCommands
