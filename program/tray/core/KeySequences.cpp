// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "KeySequences.h"

namespace KeySequences {

namespace {

// Presses the keys in order and releases them in reverse.
QList<SyntheticKeys::KeyEvent> chord(std::initializer_list<quint8> keys)
{
    QList<SyntheticKeys::KeyEvent> events;
    for (const quint8 key : keys)
        events.append({key, false});
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        events.append({*key, true});
    return events;
}

}  // namespace

QList<SyntheticKeys::KeyEvent> sendAltD()
{
    return chord({vkAlt, 'D'});
}

QList<SyntheticKeys::KeyEvent> sendEnter()
{
    return chord({vkEnter});
}

QList<SyntheticKeys::KeyEvent> sendCtrlV()
{
    return chord({vkControl, 'V'});
}

QList<SyntheticKeys::KeyEvent> sendCtrlC()
{
    return chord({vkControl, 'C'});
}

QList<SyntheticKeys::KeyEvent> sendEscape()
{
    return chord({vkEscape});
}

}  // namespace KeySequences
