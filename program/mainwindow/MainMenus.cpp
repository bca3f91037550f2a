// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainMenus.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

MainMenus::MainMenus(QMainWindow *window)
    : QObject(window)
{
    QMenuBar *bar = window->menuBar();

    QMenu *file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuOpenUrls = subMenu(file, "mnuOpenUrls", tr("&Open URLs"));
    mnuOpenDefault = command(mnuOpenUrls, "mnuOpenDefault", tr("&Open Default"));
    mnuOpenAs = command(mnuOpenUrls, "mnuOpenAs", tr("Open &As"));
    mnuMergeFrom = subMenu(file, "mnuMergeFrom", tr("&Merge From"));
    mnuMergeTsy = command(mnuMergeFrom, "mnuMergeTsy", tr("&Tessaly .TSY"));
    mnuMergeFavorites = command(mnuMergeFrom, "mnuMergeFavorites", tr("&IE Favorites"));
    mnuMergeNetscape = command(mnuMergeFrom, "mnuMergeNetscape", tr("&Netscape .HTM"));
    mnuMergeXbel = command(mnuMergeFrom, "mnuMergeXbel", tr("&XBEL..."));
    mnuMergeFirefox = subMenu(mnuMergeFrom, "mnuMergeFirefox", tr("&Firefox Profile…"));
    mnuMergeChromium = subMenu(mnuMergeFrom, "mnuMergeChromium", tr("&Chromium Profile…"));
    mnuSaveUrls = subMenu(file, "mnuSaveUrls", tr("&Save URLs"));
    mnuSaveDefault = command(mnuSaveUrls, "mnuSaveDefault", tr("Save &Default"));
    mnuSaveAs = command(mnuSaveUrls, "mnuSaveAs", tr("Save &As"));
    mnuSaveXbel = command(mnuSaveUrls, "mnuSaveXbel", tr("Save As &XBEL..."));
    file->addSeparator();
    mnuLoadAll = command(file, "mnuLoadAll", tr("&Load All"));
    mnuSaveAll = command(file, "mnuSaveAll", tr("Save &All"));
    file->addSeparator();
    mnuEject = command(file, "mnuEject", tr("&Eject Bookmarks"));
    file->addSeparator();
    mnuHide = command(file, "mnuHide", tr("&Hide"));
    mnuFree = command(file, "mnuFree", tr("&Flush to Tray"));
    mnuUnload = command(file, "mnuUnload", tr("&Unload"));

    QMenu *entries = bar->addMenu(tr("&URLs"));
    entries->setObjectName(QStringLiteral("mnuURLs"));
    mnuAddEntry = subMenu(entries, "mnuAddEntry", tr("&Add"));
    mnuFromBrowser = command(mnuAddEntry, "mnuFromBrowser", tr("&From Browser"));
    mnuNewEntry = command(mnuAddEntry, "mnuNewEntry", tr("&New Entry"));
    mnuEdit = command(entries, "mnuEdit", tr("&Edit"));
    mnuMove = command(entries, "mnuMove", tr("&Move"));
    mnuRate = subMenu(entries, "mnuRate", tr("Ra&te"));
    const QStringList rates
        = {tr("&Not Rated"), tr("&Low"), tr("&Medium"),
           tr("&High"), tr("&Very High")};
    for (int i = 0; i < rates.size(); ++i)
        mnuRateItems << command(mnuRate, QStringLiteral("mnuRate_%1").arg(i).toLatin1().constData(),
                                rates[i]);
    mnuSend = subMenu(entries, "mnuSend", tr("&Send"));
    mnuSendItems << command(mnuSend, "mnuSend_0", tr("&Last Active"));
    mnuSendItems << command(mnuSend, "mnuSend_1", tr("&New Window"));
    mnuBookmarksFolder = command(entries, "mnuBookmarksFolder", tr("&Bookmarks Folder"));
    mnuRemove = command(entries, "mnuRemove", tr("&Remove"));
    mnuDuplicates = command(entries, "mnuDuplicates", tr("&Duplicates..."));
    mnuQuickOpen = command(entries, "mnuQuickOpen", tr("&Quick Open..."));
    mnuQuickOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuCheckLinks = command(entries, "mnuCheckLinks", tr("Chec&k Links..."));
    entries->addSeparator();
    mnuFind = subMenu(entries, "mnuFind", tr("&Find"));
    mnuFindFind = command(mnuFind, "mnuFind_0", tr("&Find"));
    mnuFindNext = command(mnuFind, "mnuFind_1", tr("Find &Next"));
    mnuFindPrevious = command(mnuFind, "mnuFind_2", tr("Find &Previous"));
    mnuSort = subMenu(entries, "mnuSort", tr("S&ort"));
    const QStringList sorts = {tr("&Title"),
                               tr("&Rated", "sort by rating"),
                               tr("Times &Visited"),
                               tr("&Last Visited Date"),
                               QString(),
                               tr("&URL"),
                               tr("&Creation Date"),
                               tr("C&ategory"),
                               QString()};
    for (int i = 0; i < sorts.size(); ++i) {
        if (sorts[i].isEmpty())
            mnuSort->addSeparator();
        else
            mnuSortItems << command(mnuSort, QStringLiteral("mnuSortz_%1").arg(i).toLatin1().constData(),
                                    sorts[i]);
    }
    entries->addSeparator();
    mnuListAll = command(entries, "mnuListAll", tr("&List All"));
    mnuListAll->setCheckable(true);

    mnuList = bar->addMenu(tr("&Groups"));
    mnuList->setObjectName(QStringLiteral("mnuList"));
    mnuGroupSeparator = mnuList->addSeparator();
    mnuNewGroup = command(mnuList, "mnuNewGroup", tr("&New Group"));
    mnuRenameGroup = command(mnuList, "mnuRenameGroup", tr("&Rename Group"));
    mnuRemoveGroup = command(mnuList, "mnuRemoveGroup", tr("Re&move Group"));
    mnuCheckGroupLinks = command(mnuList, "mnuCheckGroupLinks", tr("&Check Links..."));

    QMenu *settings = bar->addMenu(tr("&Settings"));
    settings->setObjectName(QStringLiteral("mnuSettings"));
    mnuPreferences = command(settings, "mnuPreferences", tr("&Preferences"));
    mnuLoadSettings = command(settings, "mnuLoadSettings", tr("&Load Settings"));
    mnuSaveSettings = command(settings, "mnuSaveSettings", tr("&Save Settings"));
    settings->addSeparator();
    mnuFullwindow = command(settings, "mnuFullwindow", tr("&Full Window (ESQ)"));
    mnuFullwindow->setCheckable(true);

    QMenu *help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelpMenu"));
    mnuHelp = command(help, "mnuHelp", tr("&Help"));
    mnuAbout = command(help, "mnuAbout", tr("&About"));

    mnuPopup = new QMenu(window);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    for (QMenu *menu : {mnuAddEntry, mnuSend, mnuRate})
        mnuPopup->addMenu(menu);
    mnuPopup->addAction(mnuEdit);
    mnuPopup->addAction(mnuMove);
    mnuPopup->addMenu(mnuFind);
    mnuPopup->addAction(mnuRemove);
    mnuPopup->addAction(mnuCheckLinks);
    mnuPopup->addMenu(mnuSort);
    mnuPopup->addAction(mnuListAll);

    mnuIPop = new QMenu(window);
    mnuIPop->setObjectName(QStringLiteral("mnuIPop"));
    mnuIPopNew = command(mnuIPop, "mnuIPopNew", tr("&New"));
    mnuIPopRename = command(mnuIPop, "mnuIPopRename", tr("&Rename"));
    mnuIPopRemove = command(mnuIPop, "mnuIPopRemove", tr("Re&move"));
    mnuIPopCheckLinks = command(mnuIPop, "mnuIPopCheckLinks", tr("&Check Links..."));
}

QAction *MainMenus::command(QMenu *menu, const char *name, const QString &caption, bool pending)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (pending)
        m_pending.append(action);
    return action;
}

QMenu *MainMenus::subMenu(QMenu *parent, const char *name, const QString &title)
{
    QMenu *menu = parent->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

void MainMenus::apply(const MenuRules::States &s)
{
    m_states = s;
    // A sub-menu is enabled through the action that opens it.
    const auto enable = [](QMenu *menu, bool enabled) { menu->menuAction()->setEnabled(enabled); };
    mnuRenameGroup->setEnabled(s.renameGroup);
    mnuIPopRename->setEnabled(s.renameGroup);
    mnuRemoveGroup->setEnabled(s.removeGroup);
    mnuIPopRemove->setEnabled(s.removeGroupPopup);
    enable(mnuAddEntry, s.addMenu);
    enable(mnuRate, s.rateMenu);
    mnuRemove->setEnabled(s.removeEntries);
    mnuCheckLinks->setEnabled(s.removeEntries);
    mnuCheckGroupLinks->setEnabled(s.renameGroup);
    mnuIPopCheckLinks->setEnabled(s.renameGroup);
    mnuEdit->setEnabled(s.edit);
    enable(mnuOpenUrls, s.openUrls);
    enable(mnuMergeFrom, s.mergeFrom);
    mnuMove->setEnabled(s.move);
    enable(mnuFind, s.findMenu);
    mnuFindNext->setEnabled(s.findNext);
    mnuFindPrevious->setEnabled(s.findNext);
    enable(mnuSend, s.sendMenu);
    for (QAction *action : {mnuGroupSeparator, mnuNewGroup, mnuRenameGroup, mnuRemoveGroup, mnuCheckGroupLinks})
        action->setVisible(s.groupCommandsVisible);
    // With its commands hidden the group menu has nothing to show: it cannot
    // be opened then. An empty menu, once opened, would not show its commands
    // again when they come back.
    enable(mnuList, s.groupCommandsVisible);
    if (!s.groupCommandsVisible && mnuList->isVisible())
        mnuList->hide();
}
