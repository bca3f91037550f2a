#pragma once

#include "Command.h"

#include <optional>

struct ViewFilter;

// tsy list FILE [filters]: the rows the main window's entry list shows.
class ListCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("list"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;

private:
    // Bytes collected before they go to the output.
    static constexpr qsizetype outputChunk = 1 << 16;
    // UTF-8 text to the output stream's device, past its text conversion.
    void writeOut(const QByteArray &utf8);

    // Each reads one option into the filter; false after a usage error.
    bool readRatings(const QString &text, ViewFilter &filter);
    bool readVisited(const QString &text, ViewFilter &filter);
    bool readDateFilter(const QString &option, const QString &text, int &mode, int &amount, int &unit);
};
