// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LiveStore.h"

namespace {

LiveStore *currentStore = nullptr;

}  // namespace

LiveStore::~LiveStore() = default;

LiveStore *LiveStore::current()
{
    return currentStore;
}

LiveStore::Scope::Scope(LiveStore &store)
    : m_previous(currentStore)
{
    currentStore = &store;
}

LiveStore::Scope::~Scope()
{
    currentStore = m_previous;
}
