// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ProgramOptions.h"

// tessaly --check-install: whether the program finds what it is shipped
// with (the library Pemberly, the bank pictures, the help pages) from where
// it runs, and whether its desktop entry and icon are installed under the
// name it gives itself, as a packager or an installation test asks. Needs
// the application object with its desktop file name set; registers the
// shipped library as every start does.
namespace InstallCheck {

// One line per part found on stdout, with exit status 0; when a part is
// missing, the lines go to stderr, that part's saying what is wrong, and the
// exit status is 1.
ProgramOptions::Answer run(const QString &appFolder);

}  // namespace InstallCheck
