// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// What a top-level window's title and class tell about a browser: whether
// the window is a browser's, which browser, and the page title within the
// window title.
namespace BrowserTitles {

enum class Family { None, InternetExplorer, Firefox, Chromium, Chrome, Opera };

// The title test of the window search: a title that holds
// "- Microsoft Internet" (any case), or that ends with a known browser's
// name after its separator (" — Mozilla Firefox", " - Mozilla Firefox",
// " - Chromium", " - Google Chrome", " - Opera"; private windows' suffixes
// too), or that is a browser's bare name.
bool isBrowserTitle(const QString &title);

// The browser of a window: its WM_CLASS class or instance when known, else
// its title's suffix; None for any other window.
Family familyOf(const QString &title, const QString &className, const QString &instanceName);

// The page title within a window title: the text before the browser's own
// name and its separator, whole (a page title that holds " - " keeps it);
// "" for a window that shows only the browser's name. A title without a
// known suffix is returned as it is.
QString pageTitle(const QString &windowTitle);

}  // namespace BrowserTitles
