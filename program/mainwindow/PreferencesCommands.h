// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class EntryListHost;
class MainMenus;
class QWidget;
class TrayWindowSettingsHost;
class UrlOpener;
struct AppState;

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
    // lists: where failures are shown; tray: the tray window whose icon the
    // options change (none in tests); window: the parent of the dialogs, kept
    // on top as the options say, and of these commands.
    PreferencesCommands(AppState &state, const MainMenus &menus, EntryListHost &lists, UrlOpener &opener,
                        TrayWindowSettingsHost *tray, QWidget *window);

    // What opens the help pages.
    void setOpener(UrlOpener &opener) { m_opener = &opener; }

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

signals:
    // The options chose another placement of the tab strip.
    void tabPlacementChosen(int placement);
    // The floating button shown or hidden, or its setting (aI) to be flipped
    // by the tray window with the button.
    void floatingButtonShown(bool shown);
    void activeIconToggled();

public slots:
    // The settings object's event: its properties hold the applied settings.
    // Nothing when no object is held.
    void gcfg_ApplyCurrent();

private:
    void setProperties(QObject *gcfg) const;
    void applyFloatingButton(bool hAI, bool aI);

    AppState &m_state;
    const MainMenus &m_menus;
    EntryListHost &m_lists;
    UrlOpener *m_opener;
    TrayWindowSettingsHost *m_tray;
    QWidget *m_window;
    QPointer<QObject> m_gcfg;
};
