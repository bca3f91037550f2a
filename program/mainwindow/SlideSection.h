// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QFrame;
class QToolButton;
class QWidget;

// One collapsible section of the filter section: a header frame
// "slideSwitch_<i>" holding the header button "slideButton_<i>", and a
// content frame shown directly under the header while the section is open.
// The open state is kept in the header button's "tag" property as the text
// "True" or "False", which is what the layout settings read.
class SlideSection
{
public:
    // Makes the header and an empty content frame named contentName in
    // panel, in this order so that focus moves from a header into its
    // content. The section starts open.
    SlideSection(int index, const QString &caption, const QString &contentName, QWidget *panel);

    QFrame *header() const { return m_header; }
    QToolButton *button() const { return m_button; }
    QFrame *content() const { return m_content; }

    bool isOpen() const;
    void setOpen(bool open);

    // Puts the header's top at top and, when open, the content frame right
    // under it; a closed section's content is hidden. Both span width.
    // Returns the section's bottom, where the next section starts.
    int place(int top, int width) const;

private:
    QFrame *m_header;
    QToolButton *m_button;
    QFrame *m_content;
};
