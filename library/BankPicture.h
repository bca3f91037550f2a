// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QString>

// The pictures of the program's bank folder, as the library's windows show
// them: "<program folder>/uBank/<name>.bnk", or the installed copy under
// "<program folder>/../share/tessaly/uBank". A bank file is a PNG, BMP or ICO
// under the .bnk extension.
namespace BankPicture {

// The picture at its own size; a null pixmap when the file is missing or unreadable.
QPixmap load(const QString &appPath, const QString &name);

}  // namespace BankPicture
