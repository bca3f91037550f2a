// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsPageScroller.h"

OptionsPageScroller::OptionsPageScroller(QWidget *page, QWidget *parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(page);
}

// QScrollArea bounds its hint to a few dozen lines of text; the page's own
// hint is what the dialog should open with where the screen allows it.
QSize OptionsPageScroller::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
}
