// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TrayWindow.h"

#include "AboutCommands.h"
#include "AppPaths.h"
#include "AppState.h"
#include "BankImage.h"
#include "ComponentRegistry.h"
#include "DesktopUrlOpener.h"
#include "FloatingButton.h"
#include "HelpPages.h"
#include "HiveSession.h"
#include "LongWorkRunner.h"
#include "MainWindow.h"
#include "ModalScope.h"
#include "ProgramPaths.h"
#include "Prompter.h"
#include "Registry.h"
#include "TrayConfig.h"
#include "TrayConnectionWatch.h"
#include "UnsavedStore.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>
#include <sys/utsname.h>
#include <utility>

namespace {

// The notification area may come up after the program at login: look for it
// every two seconds for two minutes.
constexpr int trayRetryIntervalMs = 2000;
constexpr int trayRetryCount = 60;

int getPlatformId()
{
    utsname name {};
    return ::uname(&name) == 0 ? 2 : 0;
}

QString loadedText(qsizetype count)
{
    if (count == 0)
        return TrayWindow::tr("No bookmarks loaded");
    return TrayWindow::tr("%Ln bookmark(s) loaded", nullptr, int(count));
}

} // namespace

TrayWindow::TrayWindow(AppState &state, Prompter &prompter, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("Form1"));
    m_state.appFolder = ProgramPaths::appFolder();
    m_button = new FloatingButton(m_state, m_state.appFolder);
    WindowHelpers::setTrayWindow(m_button, &m_state);
    // The loaded button's picture, in its 1x and 2x forms for the tray to size.
    m_icon = new QSystemTrayIcon(
        BankImage(ProgramPaths::bankFile(m_state.appFolder, QStringLiteral("id"))).icon(), this);
    m_icon->setObjectName(QStringLiteral("trayIcon"));
    updateToolTip();
    buildMenu();
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            showMainWindow();
    });
    connect(m_button, &FloatingButton::menuRequested, this, [this](QPoint pos) { m_menu->popup(pos); });
    connect(m_button, &FloatingButton::doubleClicked, this, &TrayWindow::onButtonDoubleClicked);
    connect(m_button, &FloatingButton::moved, this, [this](QPoint topLeft) {
        m_state.settings.trayLeft = int(topLeft.x() * twipsPerPixel());
        m_state.settings.trayTop = int(topLeft.y() * twipsPerPixel());
    });
    m_waitForPrompt = new QTimer(this);
    m_waitForPrompt->setInterval(100);
    connect(m_waitForPrompt, &QTimer::timeout, this, &TrayWindow::runWaitingActions);
    m_trayRetry = new QTimer(this);
    m_trayRetry->setInterval(trayRetryIntervalMs);
    connect(m_trayRetry, &QTimer::timeout, this, &TrayWindow::retryTrayIcon);
}

TrayWindow::~TrayWindow()
{
    WindowHelpers::setTrayWindow(nullptr, nullptr);
    delete m_main;
    delete m_button;
    delete m_menu;
}

void TrayWindow::buildMenu()
{
    m_menu = new QMenu;
    m_menu->setObjectName(QStringLiteral("mSysTray"));
    const auto item = [this](const char *name, const QString &caption) {
        QAction *action = m_menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    connect(item("mTessaly", tr("&Tessaly")), &QAction::triggered, this,
            &TrayWindow::showMainWindow);
    connect(item("mPopRestore", tr("&Restore")), &QAction::triggered, this, [this] {
        if (MainWindow *main = loadMainWindow(true); main && main->isLoading()) {
            m_showWhenLoaded = true;
        } else if (main) {
            main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
            main->showNormal();
            main->activateWindow();
        }
    });
    m_menu->addSeparator();
    connect(item("mHelp", tr("Tessaly &Help")), &QAction::triggered, this, [this] {
        DesktopUrlOpener opener;
        QString error;
        if (!HelpPages::open(opener, m_state.appFolder, 0, &error))
            reportNotOpened(error);
    });
    const auto outwardLink = [this](int action) {
        QString error;
        if (!AboutCommands::sDo(m_button, action, &error))
            reportNotOpened(error);
    };
    connect(item("mContact", tr("&Contacting Orvane")), &QAction::triggered, this,
            [outwardLink] { outwardLink(0); });
    m_menu->addSeparator();
    connect(item("mWebSite", tr("Tessaly &Web Site")), &QAction::triggered, this,
            [outwardLink] { outwardLink(1); });
    m_menu->addSeparator();
    m_flush = item("mFlush", tr("&Flush", "close the main window, keep the bookmarks saved and the program in the tray"));
    m_flush->setEnabled(false);
    connect(m_flush, &QAction::triggered, this, &TrayWindow::flushMainWindow);
    m_menu->addSeparator();
    connect(item("mAbout", tr("&About")), &QAction::triggered, this,
            [this] {
                const ModalScope scope(m_state, m_main);
                AboutCommands::showAboutBox(m_state, m_button);
            });
    connect(item("mPopExit", tr("&Unload")), &QAction::triggered, this, &TrayWindow::unload);
}

// The tray has no status bar: a help page or link that could not be opened
// is said in a message box rather than not at all.
void TrayWindow::reportNotOpened(const QString &error)
{
    m_prompter.messageBox(error, Prompter::Buttons::Ok, Prompter::Icon::Exclamation, QStringLiteral("Tessaly"));
}

void TrayWindow::start(const QStringList &arguments)
{
    const QString stackFolder = ProgramPaths::stackFolder();
    m_state.stackBase = ProgramPaths::stackBase(stackFolder, QStringList());
    registerLibrary();
    AppPaths::fillAppPaths(QCoreApplication::applicationFilePath());
    m_state.platformId = getPlatformId();
    TrayConfig(m_state.settings).earlyConfig(*this);
    if (!arguments.isEmpty())
        m_state.stackBase = ProgramPaths::stackBase(stackFolder, arguments);
    addStartNote(ProgramPaths::stackFileProblem(m_state.stackBase));
    addStartNote(UnsavedStore::keptFilesNote());
    ensureReachable();
    // Timer1: the connection monitor, every 4000 ms from now on.
    if (!m_watch)
        m_watch = new TrayConnectionWatch(m_state, *this);
    m_watch->start();
}

// Earlier versions kept the stack files beside the program: the one the
// command line names by name (Pemberly by default) moves to the data folder.
void TrayWindow::moveEarlierStackFiles(const QStringList &arguments)
{
    const QString stackFolder = ProgramPaths::stackFolder();
    const QFileInfo stackBase(ProgramPaths::stackBase(stackFolder, arguments));
    if (stackBase.absolutePath() == QFileInfo(stackFolder).absoluteFilePath())
        addStartNote(ProgramPaths::moveStackFilesFrom(m_state.appFolder, stackFolder, stackBase.fileName()));
}

// What the start found to tell the user is said on standard error (for a
// start from a terminal) and in the main window's status bar when it opens.
void TrayWindow::addStartNote(const QString &note)
{
    if (note.isEmpty())
        return;
    std::fprintf(stderr, "tessaly: %s\n", note.toLocal8Bit().constData());
    m_state.startNotes << note;
}

// A note on the bookmarks' file outlives the main window: it goes to
// standard error and stays in the tray icon's tip (not at the program's end,
// when the display may be gone already).
void TrayWindow::showNote(const QString &note)
{
    std::fprintf(stderr, "tessaly: %s\n", note.toLocal8Bit().constData());
    if (m_ended)
        return;
    m_tipNote = note;
    updateToolTip();
    if (m_icon->isVisible())
        m_icon->showMessage(QStringLiteral("Tessaly"), note);
}

// The icon's tip: how many bookmarks the store holds (none without the main
// window), and the note of the last flush until the window opens again.
void TrayWindow::updateToolTip()
{
    QString tip = tr("Tessaly Tray Control\n");
    if (const QString work = m_main ? m_main->longWork()->progressText() : QString(); !work.isEmpty())
        tip += work;
    else if (m_main && m_main->isLoading())
        tip += tr("Loading bookmarks…");
    else
        tip += loadedText(m_main ? m_state.store.urlDatas().Count() : 0);
    if (!m_tipNote.isEmpty())
        tip += u'\n' + m_tipNote;
    if (tip != m_icon->toolTip())
        m_icon->setToolTip(tip);
}

// The library shipped with the program is registered at each start, in place
// of one that another copy (a build folder's) registered: its objects are
// then found through the registry like any other component's.
void TrayWindow::registerLibrary()
{
    ComponentRegistry::registerShippedLibrary();
}

// Unloading the main window while one of its prompts is open would pull the
// window away from under the command that asked; such requests wait until
// the prompt is closed (a termination closes it, answering No or Cancel).
void TrayWindow::whenNoPromptIsOpen(const std::function<void()> &action, bool closePrompts)
{
    if (m_state.dialogState == AppState::NoDialog && !QApplication::activeModalWidget()) {
        action();
        return;
    }
    m_waiting.push_back(action);
    if (closePrompts) {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    }
    m_waitForPrompt->start();
}

void TrayWindow::runWaitingActions()
{
    if (m_state.dialogState != AppState::NoDialog || QApplication::activeModalWidget())
        return;
    m_waitForPrompt->stop();
    const auto actions = std::exchange(m_waiting, {});
    for (const auto &action : actions)
        action();
}

void TrayWindow::unload()
{
    whenNoPromptIsOpen([this] { endProgram(); }, true);
}

void TrayWindow::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    // The settings that the end stores (the main window's and the tray's)
    // reach the hive in one write when the session closes.
    HiveSession settingsAtEnd(Registry::HKEY_CURRENT_USER, HiveSession::Deferred);
    m_trayRetry->stop();
    if (m_watch)
        m_watch->stop();
    m_state.hideOnClose = false;
    if (m_main)
        m_main->unloadWindow(true);
    m_icon->hide();
    TrayConfig(m_state.settings).lateSave(*this);
    settingsAtEnd.close();
    m_button->hide();
    emit programEnded();
}

void TrayWindow::saveAtExit()
{
    if (m_ended)
        return;
    m_ended = true;
    const HiveSession settingsAtEnd(Registry::HKEY_CURRENT_USER, HiveSession::Deferred);
    QString error;
    // Work cut off half-way takes back what it did, so the save below keeps
    // the store as it was before the work.
    if (m_main)
        m_main->longWork()->abandon();
    if (m_main && !m_main->isLoading() && !m_main->saveIfChanged(&error))
        UnsavedStore::keep(m_state.store, error);
    TrayConfig(m_state.settings).lateSave(*this);
}

MainWindow *TrayWindow::mainWindow() const
{
    return m_main;
}

MainWindow *TrayWindow::loadMainWindow(bool inSlices)
{
    if (m_main)
        return m_main;
    m_showWhenLoaded = false;
    m_main = new MainWindow(m_state, m_prompter, this);
    // The window says what happens from now on: a note of the last flush leaves the tip.
    m_tipNote.clear();
    m_prompter.setOwner(m_main);
    connect(m_main, &MainWindow::totalShown, this, &TrayWindow::updateToolTip);
    connect(m_main->longWork(), &LongWorkRunner::progressTextChanged, this, &TrayWindow::updateToolTip);
    connect(m_main, &MainWindow::flushAvailable, m_flush, &QAction::setEnabled);
    connect(m_main, &MainWindow::buttonStateChanged, this, [this] { ButtonState(0); });
    connect(m_main, &MainWindow::programEndRequested, this, &TrayWindow::unload);
    connect(m_main, &MainWindow::stackFileNoted, this, &TrayWindow::showNote);
    connect(m_main, &MainWindow::activeIconToggled, this, &TrayWindow::toggleActiveIcon);
    connect(m_main, &MainWindow::floatingButtonShown, this, [this](bool shown) {
        if (shown) {
            m_button->showButton();
            return;
        }
        m_button->hideButton();
        ensureReachable();
    });
    connect(m_main, &MainWindow::unloaded, this, [this] {
        if (m_main)
            m_main->deleteLater();
        m_main = nullptr;
        ButtonState(0);
        updateToolTip();
    });
    connect(m_main, &MainWindow::loaded, this, [this] {
        updateToolTip();
        if (std::exchange(m_showWhenLoaded, false))
            showMainWindow();
    });
    m_main->load(inSlices);
    updateToolTip();
    return m_main;
}

void TrayWindow::showMainWindow()
{
    MainWindow *main = loadMainWindow(true);
    // Shown once loaded; an emptied store ("Eject Bookmarks") does not hide it.
    if (main && main->isLoading())
        m_showWhenLoaded = true;
    if (!main || main->isLoading())
        return;
    // show() does nothing for a window that counts itself visible while it is
    // off the screen: it is hidden first, so that it is mapped again.
    if (main->isVisible() && !main->isMinimized() && !WindowHelpers::isOnScreen(main))
        main->hide();
    main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
    main->show();
    main->raise();
    main->activateWindow();
}

void TrayWindow::flushMainWindow()
{
    whenNoPromptIsOpen(
        [this] {
            if (!m_main)
                return;
            m_state.hideOnClose = false;
            m_main->unloadWindow();
        },
        false);
}

void TrayWindow::onButtonDoubleClicked()
{
    if (!m_state.hideOnClose || !m_main) {
        showMainWindow();
    } else if (!WindowHelpers::isOnScreen(m_main)) {
        showMainWindow();
    } else {
        WindowHelpers::hideMainWindow(m_main);
    }
    ButtonState(0);
}

bool TrayWindow::trayIconShown() const
{
    return m_iconWanted && QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayWindow::setTrayIcon(bool remove)
{
    m_iconWanted = !remove;
    if (remove) {
        m_icon->hide();
    } else if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_icon->show();
    } else if (!m_trayRetry->isActive()) {
        m_trayRetries = 0;
        m_trayRetry->start();
    }
    ensureReachable();
}

void TrayWindow::retryTrayIcon()
{
    if (!m_iconWanted || ++m_trayRetries > trayRetryCount) {
        m_trayRetry->stop();
        return;
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_trayRetry->stop();
    m_icon->show();
    // The floating button stood in for the icon; now the icon is there.
    if (m_buttonAsFallback && !m_state.settings.aI) {
        m_buttonAsFallback = false;
        m_button->hideButton();
    }
}

// The program can always be reached: with no icon (not wanted, or no
// notification area on the desktop) the floating button is shown.
void TrayWindow::ensureReachable()
{
    if (m_ended || trayIconShown() || m_button->isVisible())
        return;
    m_buttonAsFallback = true;
    m_button->showButton();
    m_button->setTopmost(WindowHelpers::trayWindowTopmost(m_state));
    m_button->ButtonState(0);
}

void TrayWindow::toggleActiveIcon()
{
    m_state.settings.aI = !m_state.settings.aI;
    if (!m_state.settings.aI) {
        WindowHelpers::setTopmost(m_button, false);
        m_button->hideButton();
        ensureReachable();
        return;
    }
    m_buttonAsFallback = false;
    m_button->showButton();
    // Topmost as iAOT says, and then only while online (setTopmost's rule).
    WindowHelpers::setTopmost(m_button, m_state.settings.iAOT);
    m_button->ButtonState(0);
}

void TrayWindow::showActiveIcon()
{
    if (!m_state.settings.aI || !m_button->isVisible()) {
        m_state.settings.aI = false;
        toggleActiveIcon();
    }
}

void TrayWindow::ButtonState(int pressed)
{
    m_button->ButtonState(pressed);
}

double TrayWindow::twipsPerPixel() const
{
    return WindowHelpers::twipsPerPixel(m_button);
}

int TrayWindow::screenWidth() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? int(screen->geometry().width() * twipsPerPixel()) : 0;
}

int TrayWindow::screenHeight() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? int(screen->geometry().height() * twipsPerPixel()) : 0;
}

WindowRect TrayWindow::trayGeometry() const
{
    const QRect rect = m_button->geometry();
    const double tpp = twipsPerPixel();
    return {int(rect.top() * tpp), int(rect.left() * tpp), int(rect.width() * tpp), int(rect.height() * tpp)};
}

// The floating button has no frame; all of it stays on the work area.
void TrayWindow::moveTrayWindow(int top, int left)
{
    const double tpp = twipsPerPixel();
    QPoint place(int(left / tpp), int(top / tpp));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        place.setX(qMax(area.left(), qMin(place.x(), area.right() + 1 - m_button->width())));
        place.setY(qMax(area.top(), qMin(place.y(), area.bottom() + 1 - m_button->height())));
    }
    m_button->move(place);
}
