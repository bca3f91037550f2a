// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TrayWindowSettingsHost.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class FloatingButton;
class MainWindow;
class Prompter;
class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class TrayConnectionWatch;
struct AppState;

// The tray window: the program's first window, alive for the whole run. It
// owns the notification-area icon, the floating button and the tray menu,
// starts and ends the program and loads, shows and unloads the main window.
class TrayWindow : public QObject, public TrayWindowSettingsHost
{
    Q_OBJECT

public:
    TrayWindow(AppState &state, Prompter &prompter, QObject *parent = nullptr);
    ~TrayWindow() override;

    // Program start after the single-instance check: paths, the library's
    // registration, the settings and the icon; arguments name the default stack file.
    void start(const QStringList &arguments);
    // Moves the stack file the arguments name by name, with its backup, from
    // the program's folder (where earlier versions kept it) to the data
    // folder; the main window says so when it next opens. Called by the
    // program before start(), never by tests: the folder of a test program
    // may hold a user's bookmarks.
    void moveEarlierStackFiles(const QStringList &arguments);
    // Program end: the main window unloaded (saving as its settings say),
    // the icon removed, "ID" written. Runs once; then the application quits.
    void unload();
    // The process is ending without the program's end (see SaveAtExit): the
    // default stack file and the settings are saved as the end would save
    // them, without touching the display. Nothing when the end has run.
    void saveAtExit();

    MainWindow *mainWindow() const;
    // The program's end has begun (see unload).
    bool hasEnded() const { return m_ended; }
    // Loads the main window when it is not loaded; it is shown only once
    // ready. inSlices: its stack file is read while the program goes on
    // answering (see MainWindow::load), the window loading on return.
    MainWindow *loadMainWindow(bool inSlices = false);
    // "Tessaly" and a left click on the icon: the main window, loaded and
    // shown. A large stack file is read while the tray and the floating
    // button go on answering; the window is shown once it has been read.
    void showMainWindow();
    // "Flush": unloads the main window; the program stays in the tray.
    void flushMainWindow();

    // Adds the notification-area icon (remove false) or takes it away.
    void setTrayIcon(bool remove) override;
    void toggleActiveIcon();
    void ButtonState(int pressed);

    FloatingButton *floatingButton() const { return m_button; }
    QSystemTrayIcon *trayIcon() const { return m_icon; }
    QMenu *trayMenu() const { return m_menu; }
    // The connection monitor's timer (Timer1); null before start().
    TrayConnectionWatch *connectionWatch() const { return m_watch; }
    // Whether the icon is wanted and the desktop has a notification area.
    bool trayIconShown() const;

    // TrayWindowSettingsHost
    int screenWidth() const override;
    int screenHeight() const override;
    WindowRect trayGeometry() const override;
    void moveTrayWindow(int top, int left) override;
    void showActiveIcon() override;

signals:
    void programEnded();

private:
    void buildMenu();
    void whenNoPromptIsOpen(const std::function<void()> &action, bool closePrompts);
    void runWaitingActions();
    void endProgram();
    void onButtonDoubleClicked();
    void ensureReachable();
    void retryTrayIcon();
    void registerLibrary();
    void addStartNote(const QString &note);
    void showNote(const QString &note);
    void updateToolTip();
    void reportNotOpened(const QString &error);
    double twipsPerPixel() const;

    AppState &m_state;
    Prompter &m_prompter;
    QPointer<MainWindow> m_main;
    FloatingButton *m_button = nullptr;
    QSystemTrayIcon *m_icon = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_flush = nullptr;
    QTimer *m_trayRetry = nullptr;
    TrayConnectionWatch *m_watch = nullptr;
    QString m_tipNote;  // what the icon's tip says of the last flush
    QTimer *m_waitForPrompt = nullptr;
    std::vector<std::function<void()>> m_waiting;
    int m_trayRetries = 0;
    bool m_iconWanted = false;
    bool m_buttonAsFallback = false;
    bool m_ended = false;
    bool m_showWhenLoaded = false;  // a show was asked for while the main window was loading
};
