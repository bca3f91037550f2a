#pragma once

#include "Command.h"

// tsy dump FILE: the loaded store as JSON.
class DumpCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("dump"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;

private:
    // Characters collected before they go to the output stream.
    static constexpr qsizetype outputChunk = 1 << 16;
    // Hands out to the output stream when it holds a chunk, and empties it.
    void writeWhenFull(QString &out);
};
