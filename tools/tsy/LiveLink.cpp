// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LiveLink.h"

namespace {

LiveLink *installedLink = nullptr;

}  // namespace

LiveLink::~LiveLink() = default;

LiveLink *LiveLink::current()
{
    return installedLink;
}

void LiveLink::install(LiveLink *link)
{
    installedLink = link;
}
