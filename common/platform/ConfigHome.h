// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The folder where programs keep their settings, as Firefox and the Chromium
// family find it themselves: $XDG_CONFIG_HOME when it is set to an absolute
// path (a relative one is ignored, as the base-directory rules say), else
// .config below the home folder.
namespace ConfigHome {

QString of(const QString &homeFolder);

}  // namespace ConfigHome
