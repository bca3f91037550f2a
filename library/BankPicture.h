// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QString>

// The pictures of the program's bank folder, as the library's windows show
// them: "<program folder>/uBank/<name>.bnk", or the installed copy under
// "<program folder>/../share/tessaly/uBank". A bank file is a PNG, BMP or ICO
// under the .bnk extension; "<name>@2x.bnk" beside it is its form for
// high-DPI screens.
namespace BankPicture {

// The picture at its own logical size for a screen of this device pixel
// ratio (its 2x form, ratio 2, above ratio 1 where there is one); a null
// pixmap when the file is missing or unreadable.
QPixmap load(const QString &appPath, const QString &name, qreal devicePixelRatio);

}  // namespace BankPicture
