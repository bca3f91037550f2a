#pragma once

#include "StoreEditCommand.h"

// tsy remove FILE KEY...: removes entries.
class RemoveCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("remove"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
