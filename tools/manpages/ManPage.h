// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// A manual page in the man macros, made of --help texts: each section holds
// its text line for line, as the terminal shows it (no filling, no
// hyphenation), with every character roff would take for markup escaped.
class ManPage
{
public:
    // name in lower case ("tsy"), purpose the NAME section's line after the
    // dash, source the footer's program and version ("Tessaly 0.1.0").
    ManPage(const QString &name, const QString &purpose, const QString &source);

    void addSynopsis(const QStringList &usageLines);
    // A section whose text is kept line for line; heading as given.
    void addSection(const QString &heading, const QString &text);
    // A section of plain sentences, filled by the formatter.
    void addParagraphs(const QString &heading, const QStringList &paragraphs);

    QString text() const { return m_text; }

    // One line of text as roff shows it literally: backslashes, a leading
    // dot or apostrophe, hyphen-minus signs and characters outside ASCII
    // escaped.
    static QString escaped(const QString &line);

private:
    void addHeading(const QString &heading);
    void addLines(const QStringList &lines);

    QString m_text;
};
