// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "VirtualKeys.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace {

struct Mapping
{
    quint8 virtualKey;
    quint32 keysym;
};

constexpr Mapping named[] = {
    {0x08, XK_BackSpace}, {0x09, XK_Tab},     {0x0D, XK_Return},    {0x10, XK_Shift_L}, {0x11, XK_Control_L},
    {0x12, XK_Alt_L},     {0x13, XK_Pause},   {0x14, XK_Caps_Lock}, {0x1B, XK_Escape},  {0x20, XK_space},
    {0x21, XK_Prior},     {0x22, XK_Next},    {0x23, XK_End},       {0x24, XK_Home},    {0x25, XK_Left},
    {0x26, XK_Up},        {0x27, XK_Right},   {0x28, XK_Down},      {0x2D, XK_Insert},  {0x2E, XK_Delete},
    {0x5B, XK_Super_L},   {0x5C, XK_Super_R}, {0x5D, XK_Menu},
};

constexpr quint8 firstFunctionKey = 0x70;  // F1
constexpr quint8 lastFunctionKey = 0x87;   // F24

}  // namespace

namespace VirtualKeys {

quint32 keysym(quint8 virtualKey)
{
    if (virtualKey >= '0' && virtualKey <= '9')
        return XK_0 + (virtualKey - '0');
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return XK_a + (virtualKey - 'A');
    if (virtualKey >= firstFunctionKey && virtualKey <= lastFunctionKey)
        return XK_F1 + (virtualKey - firstFunctionKey);
    for (const Mapping &mapping : named) {
        if (mapping.virtualKey == virtualKey)
            return mapping.keysym;
    }
    return NoSymbol;
}

}  // namespace VirtualKeys
