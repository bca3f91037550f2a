#pragma once

#include "Command.h"

#include <QByteArray>

class URLBlock;

// tsy export-html FILE OUT.html: writes the stack file as a Netscape
// bookmark file.
class ExportHtmlCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("export-html"); }
    QString summary() const override;
    QString help() const override;

    // The store as a bookmark file: entries of no group first, then each
    // group as a folder of the top level.
    static QByteArray bookmarkFileText(const URLBlock &store);

protected:
    int execute(const QStringList &arguments) override;
};
