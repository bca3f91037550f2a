// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// tsy capture [--json] | tsy capture FILE --group GROUP: the page a running
// browser shows, read the ways "From Browser" reads it, printed or added.
class BrowserCaptureCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("capture"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;

private:
    int addToFile(const QString &file, const QString &groupText, const QString &title, const QString &url);
};
