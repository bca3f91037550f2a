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
    // Bytes collected before they go to the output.
    static constexpr qsizetype outputChunk = 1 << 16;
    // Hands the UTF-8 text to the output stream's device, past its text
    // conversion, when it holds a chunk (or always), and empties it.
    void writeWhenFull(QByteArray &out, bool always = false);
};
