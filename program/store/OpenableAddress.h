// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

// Which addresses may be handed to a browser. An address without a scheme
// is taken as "http://" + address; only an absolute URL whose scheme is
// http, https, ftp or file is opened, so an address can never be read as a
// program's option ("-x") or run anything ("javascript:", "/bin/sh", a local
// program or desktop entry, which a desktop's handler would start). The URL
// is always passed as one argument, never through a shell.
namespace OpenableAddress {

// The URL to open; an invalid QUrl when the address must not be opened.
QUrl fromText(const QString &address);

// Why an address is refused, for the status bar and tsy; empty when it is opened.
QString refusal(const QString &address);

} // namespace OpenableAddress
