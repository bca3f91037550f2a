#pragma once

#include <QObject>

class MainWindow;

// The main window's stack-file commands: open the default file or another,
// merge a file, save the default file or save as, load all and save all.
class StackCommands : public QObject
{
    Q_OBJECT

public:
    explicit StackCommands(MainWindow &window);

    // 0 the default stack file, 1 a file chosen in the dialog, 2 nothing.
    void openStack(int index);
    // Lets the user choose a file and loads or merges it; "" when cancelled.
    QString OpenURLAs(bool merge);
    // Lets the user choose a file name and writes the store to it; "" when cancelled.
    QString SaveURLAs();
    void DePopulate();

private:
    void openAndSelect(int index);
    void rebuildScreen();

    MainWindow &m_window;
};
