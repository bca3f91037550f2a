// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where the running program keeps its lock and its socket: in the user's
// runtime folder ($XDG_RUNTIME_DIR; where that is not set or not the user's
// own, the per-user folder that Qt makes under the temporary folder), which
// only the user can enter. When neither can be used (Qt's own folder taken by
// another user, say), the user's data folder ($XDG_DATA_HOME/Tessaly) stands
// in: per user as well.
namespace InstancePaths {

QString folder();
QString lockFile(const QString &name = QStringLiteral("tessaly"));
QString socket(const QString &name = QStringLiteral("tessaly"));

}  // namespace InstancePaths
