// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class MainWindow;

// The host side of the options dialog: "Preferences" creates the library's
// settings object (Pemberly.gConfig), copies the settings into it and shows
// its dialog; the object's ApplyCurrent brings them back and applies at once
// what changes something on the screen. Also answers the library's by-name
// calls that the main window forwards here, and runs the Help menu's
// "Help" and "About".
class PreferencesCommands : public QObject
{
    Q_OBJECT

public:
    explicit PreferencesCommands(MainWindow &window);

    // "Preferences": the dialog, modal, with dialogState 1 and the main
    // window not on top meanwhile. A library that cannot be created is
    // reported in the status bar.
    void showPreferences();

    // The registered path of a program: the App Paths entry exeName's value
    // valueName ("" the full path); "" when there is none.
    static QString findCurrentVersion(const QString &exeName, const QString &valueName);
    // Opens the help page of a context in the browser; a failure is shown in
    // the status bar.
    void showHelpTopic(int contextId);

public slots:
    // The settings object's event: its properties hold the applied settings.
    // Nothing when no object is held.
    void gcfg_ApplyCurrent();

private:
    void setProperties(QObject *gcfg) const;
    void applyFloatingButton(bool hAI, bool aI);

    MainWindow &m_window;
    QPointer<QObject> m_gcfg;
};
