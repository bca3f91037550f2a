// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>

class QDialog;
class QWidget;

// Showing the main window's dialogs: modal, above the main window, which is
// not kept on top while they are open.
namespace WindowHelpers {

// Takes the main window out of the always-on-top state, runs the dialog
// modally and puts the main window's previous on-top state back. Returns the
// dialog's result (QDialog::Accepted or QDialog::Rejected).
int showModalOnTop(QDialog &dialog, QWidget *mainWindow);

// Places a window at the main window's left edge, 500 twips below its top edge.
void placeBelowMainTop(QWidget *window, const QWidget *mainWindow);

// Window flags of the fixed-size dialogs: a title bar with a close button only.
Qt::WindowFlags fixedDialogFlags();

// The window icon of the main window, when there is one.
void takeMainIcon(QWidget *window, const QWidget *mainWindow);

}  // namespace WindowHelpers
