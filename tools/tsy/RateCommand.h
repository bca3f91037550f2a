#pragma once

#include "StoreEditCommand.h"

// tsy rate FILE RATING KEY...: gives entries a rating.
class RateCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("rate"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
