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

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuOpenUrls = subMenu(file, "mnuOpenUrls", QStringLiteral("&Open URLs"));
    mnuOpenDefault = command(mnuOpenUrls, "mnuOpenDefault", QStringLiteral("&Open Default"));
    mnuOpenAs = command(mnuOpenUrls, "mnuOpenAs", QStringLiteral("Open &As"));
    mnuMergeFrom = subMenu(file, "mnuMergeFrom", QStringLiteral("&Merge From"));
    mnuMergeTsy = command(mnuMergeFrom, "mnuMergeTsy", QStringLiteral("&Tessaly .TSY"));
    mnuMergeFavorites = command(mnuMergeFrom, "mnuMergeFavorites", QStringLiteral("&IE Favorites"));
    mnuMergeNetscape = command(mnuMergeFrom, "mnuMergeNetscape", QStringLiteral("&Netscape .HTM"));
    mnuMergeFirefox = subMenu(mnuMergeFrom, "mnuMergeFirefox", tr("&Firefox Profile…"));
    mnuMergeChromium = subMenu(mnuMergeFrom, "mnuMergeChromium", tr("&Chromium Profile…"));
    mnuSaveUrls = subMenu(file, "mnuSaveUrls", QStringLiteral("&Save URLs"));
    mnuSaveDefault = command(mnuSaveUrls, "mnuSaveDefault", QStringLiteral("Save &Default"));
    mnuSaveAs = command(mnuSaveUrls, "mnuSaveAs", QStringLiteral("Save &As"));
    file->addSeparator();
    mnuLoadAll = command(file, "mnuLoadAll", QStringLiteral("&Load All"));
    mnuSaveAll = command(file, "mnuSaveAll", QStringLiteral("Save &All"));
    file->addSeparator();
    mnuEject = command(file, "mnuEject", QStringLiteral("&Eject Bookmarks"));
    file->addSeparator();
    mnuHide = command(file, "mnuHide", QStringLiteral("&Hide"));
    mnuFree = command(file, "mnuFree", QStringLiteral("&Flush to Tray"));
    mnuUnload = command(file, "mnuUnload", QStringLiteral("&Unload"));

    QMenu *entries = bar->addMenu(QStringLiteral("&URLs"));
    entries->setObjectName(QStringLiteral("mnuURLs"));
    mnuAddEntry = subMenu(entries, "mnuAddEntry", QStringLiteral("&Add"));
    mnuFromBrowser = command(mnuAddEntry, "mnuFromBrowser", QStringLiteral("&From Browser"));
    mnuNewEntry = command(mnuAddEntry, "mnuNewEntry", QStringLiteral("&New Entry"));
    mnuEdit = command(entries, "mnuEdit", QStringLiteral("&Edit"));
    mnuMove = command(entries, "mnuMove", QStringLiteral("&Move"));
    mnuRate = subMenu(entries, "mnuRate", QStringLiteral("Ra&te"));
    const QStringList rates
        = {QStringLiteral("&Not Rated"), QStringLiteral("&Low"), QStringLiteral("&Medium"),
           QStringLiteral("&High"), QStringLiteral("&Very High")};
    for (int i = 0; i < rates.size(); ++i)
        mnuRateItems << command(mnuRate, QStringLiteral("mnuRate_%1").arg(i).toLatin1().constData(),
                                rates[i]);
    mnuSend = subMenu(entries, "mnuSend", QStringLiteral("&Send"));
    mnuSendItems << command(mnuSend, "mnuSend_0", QStringLiteral("&Last Active"));
    mnuSendItems << command(mnuSend, "mnuSend_1", QStringLiteral("&New Window"));
    mnuBookmarksFolder = command(entries, "mnuBookmarksFolder", QStringLiteral("&Bookmarks Folder"));
    mnuRemove = command(entries, "mnuRemove", QStringLiteral("&Remove"));
    entries->addSeparator();
    mnuFind = subMenu(entries, "mnuFind", QStringLiteral("&Find"));
    mnuFindFind = command(mnuFind, "mnuFind_0", QStringLiteral("&Find"));
    mnuFindNext = command(mnuFind, "mnuFind_1", QStringLiteral("Find &Next"));
    mnuFindPrevious = command(mnuFind, "mnuFind_2", QStringLiteral("Find &Previous"));
    mnuSort = subMenu(entries, "mnuSort", QStringLiteral("S&ort"));
    const QStringList sorts = {QStringLiteral("&Title"),
                               QStringLiteral("&Rated"),
                               QStringLiteral("Times &Visited"),
                               QStringLiteral("&Last Visited Date"),
                               QString(),
                               QStringLiteral("&URL"),
                               QStringLiteral("&Creation Date"),
                               QStringLiteral("C&ategory"),
                               QString()};
    for (int i = 0; i < sorts.size(); ++i) {
        if (sorts[i].isEmpty())
            mnuSort->addSeparator();
        else
            mnuSortItems << command(mnuSort, QStringLiteral("mnuSortz_%1").arg(i).toLatin1().constData(),
                                    sorts[i]);
    }
    entries->addSeparator();
    mnuListAll = command(entries, "mnuListAll", QStringLiteral("&List All"));
    mnuListAll->setCheckable(true);

    mnuList = bar->addMenu(QStringLiteral("&Groups"));
    mnuList->setObjectName(QStringLiteral("mnuList"));
    mnuGroupSeparator = mnuList->addSeparator();
    mnuNewGroup = command(mnuList, "mnuNewGroup", QStringLiteral("&New Group"));
    mnuRenameGroup = command(mnuList, "mnuRenameGroup", QStringLiteral("&Rename Group"));
    mnuRemoveGroup = command(mnuList, "mnuRemoveGroup", QStringLiteral("Re&move Group"));

    QMenu *settings = bar->addMenu(QStringLiteral("&Settings"));
    settings->setObjectName(QStringLiteral("mnuSettings"));
    mnuPreferences = command(settings, "mnuPreferences", QStringLiteral("&Preferences"));
    mnuLoadSettings = command(settings, "mnuLoadSettings", QStringLiteral("&Load Settings"));
    mnuSaveSettings = command(settings, "mnuSaveSettings", QStringLiteral("&Save Settings"));
    settings->addSeparator();
    mnuFullwindow = command(settings, "mnuFullwindow", QStringLiteral("&Full Window (ESQ)"));
    mnuFullwindow->setCheckable(true);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelpMenu"));
    mnuHelp = command(help, "mnuHelp", QStringLiteral("&Help"));
    mnuAbout = command(help, "mnuAbout", QStringLiteral("&About"));

    mnuPopup = new QMenu(window);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    for (QMenu *menu : {mnuAddEntry, mnuSend, mnuRate})
        mnuPopup->addMenu(menu);
    mnuPopup->addAction(mnuEdit);
    mnuPopup->addAction(mnuMove);
    mnuPopup->addMenu(mnuFind);
    mnuPopup->addAction(mnuRemove);
    mnuPopup->addMenu(mnuSort);
    mnuPopup->addAction(mnuListAll);

    mnuIPop = new QMenu(window);
    mnuIPop->setObjectName(QStringLiteral("mnuIPop"));
    mnuIPopNew = command(mnuIPop, "mnuIPopNew", QStringLiteral("&New"));
    mnuIPopRename = command(mnuIPop, "mnuIPopRename", QStringLiteral("&Rename"));
    mnuIPopRemove = command(mnuIPop, "mnuIPopRemove", QStringLiteral("Re&move"));
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
    mnuEdit->setEnabled(s.edit);
    enable(mnuOpenUrls, s.openUrls);
    enable(mnuMergeFrom, s.mergeFrom);
    mnuMove->setEnabled(s.move);
    enable(mnuFind, s.findMenu);
    mnuFindNext->setEnabled(s.findNext);
    mnuFindPrevious->setEnabled(s.findNext);
    enable(mnuSend, s.sendMenu);
    for (QAction *action : {mnuGroupSeparator, mnuNewGroup, mnuRenameGroup, mnuRemoveGroup})
        action->setVisible(s.groupCommandsVisible);
    // With its commands hidden the group menu has nothing to show: it cannot
    // be opened then. An empty menu, once opened, would not show its commands
    // again when they come back.
    enable(mnuList, s.groupCommandsVisible);
    if (!s.groupCommandsVisible && mnuList->isVisible())
        mnuList->hide();
}
