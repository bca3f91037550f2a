// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <functional>

class DefaultStackFile;
class EntryListHost;
class LongWorkRunner;
class MainMenus;
class Prompter;
class QWidget;
class StackFileLoad;
class StoreScreen;
struct AppState;
struct ViewState;

// The main window's stack-file commands: open the default file or another,
// merge a file, save the default file or save as, load all and save all.
class StackCommands : public QObject
{
    Q_OBJECT

public:
    // window: the parent of the prompts and of these commands.
    StackCommands(AppState &state, const ViewState &view, Prompter &prompter, DefaultStackFile &stack,
                  LongWorkRunner &longWork, EntryListHost &lists, StoreScreen &screen, const MainMenus &menus,
                  QWidget *window);

    // 0 the default stack file, 1 a file chosen in the dialog, 2 nothing.
    void openStack(int index);
    // The default stack file opened as openStack(0) does, read in slices
    // (StackFileLoad) while the program goes on: the store stays empty until
    // the whole file is in, then the screen is built and whenLoaded runs
    // (also when the file could not be read).
    void openDefaultInSlices(const std::function<void()> &whenLoaded);
    // Drops a load in slices that has not ended: the store stays empty and
    // the default file counts as not loaded, so later saves merge into it.
    // A load that has read its file but not yet ended leaves the whole file
    // in the store; the caller empties it or loads again.
    void cancelLoad();
    // Lets the user choose a file and loads or merges it; "" when cancelled
    // (the dialog, or the merge while it ran: then nothing was added).
    QString OpenURLAs(bool merge);
    // Lets the user choose a file name and writes the store to it; "" when
    // cancelled (the dialog, or the save while it ran: then nothing was written).
    QString SaveURLAs();
    void DePopulate();

private:
    void openAndSelect(int index);
    void rebuildScreen();
    void beginDefault();
    void endDefault(const QString &error, bool cancelled = false);

    AppState &m_state;
    const ViewState &m_view;
    Prompter &m_prompter;
    DefaultStackFile &m_stack;
    LongWorkRunner &m_longWork;
    EntryListHost &m_lists;
    StoreScreen &m_screen;
    QWidget *m_window;
    StackFileLoad *m_load = nullptr;
};
