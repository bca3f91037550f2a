// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QScrollArea>

// An options page in a scroll area that asks for the page's whole size: the
// dialog opens as large as its pages need, and a page scrolls only when the
// screen has no room for all of it (a small screen, a large scale factor).
class OptionsPageScroller : public QScrollArea
{
    Q_OBJECT

public:
    explicit OptionsPageScroller(QWidget *page, QWidget *parent = nullptr);

    QSize sizeHint() const override;
};
