// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QWidget;

// Controls of the options pages, named as the dialog's tests and the help
// pages call them: a control array's member is "<name>_<index>" and carries
// its index in the property "index".
namespace OptionsControls {

QGroupBox *frame(QWidget *page, const QString &caption, const QString &tip = QString());
QCheckBox *checkBox(QGroupBox *frame, const char *name, const QString &caption,
                    const QString &tip = QString());
// One option button per caption, named name_0, name_1, ...; tips may be
// shorter than captions.
QList<QRadioButton *> optionButtons(QGroupBox *frame, const char *name, const QStringList &captions,
                                    const QStringList &tips = {});

// Checks the button of index (none when out of range).
void check(const QList<QRadioButton *> &buttons, int index);
// The index of the first checked button; fallback when none is checked.
int checkedIndex(const QList<QRadioButton *> &buttons, int fallback);

}  // namespace OptionsControls
