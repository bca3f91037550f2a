# SPDX-FileCopyrightText: 2026 Tessaly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package, made by `cpack` in a build configured with the prefix
# /usr (scripts/package does this). It holds what `cmake --install` installs:
# tests, benchmarks and build tools install nothing.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tessaly developers <tessaly@orvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal bookmark manager for the notification area")
# Lines of at most 80 characters; CPack indents them and writes a lone "."
# between paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [=[
Tessaly keeps a store of web addresses with their titles, groups,
ratings, when each was made, when it was last visited and how often. It
lives in the notification area: a click opens its window, which lists
and filters the bookmarks and opens them in the browser.

It takes the page a running Firefox, Chromium or Opera shows into the
store, merges in a browser's bookmark file or a folder of internet
shortcuts, and writes every file safely, keeping a backup of the
bookmarks.

The package also holds tsy, a command-line companion over the same code
for scripts: list, find, add, edit, merge, import and export bookmarks.]=])
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orvane.org/tessaly/)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs and Pemberly link, as dpkg-shlibdeps finds them;
# beside those, what is only loaded or started at run time: Qt's window
# system plugins (the X11 one among them), QtSql's SQLite driver (the browser
# profiles' databases) and xdg-open for the default browser.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
