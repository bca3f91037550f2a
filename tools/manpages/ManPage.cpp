// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ManPage.h"

ManPage::ManPage(const QString &name, const QString &purpose, const QString &source)
{
    m_text = QStringLiteral(".TH %1 1 \"\" \"%2\" \"User Commands\"\n").arg(name.toUpper(), escaped(source));
    // Lines are kept as written: no hyphenation, no stretched blanks.
    m_text += QStringLiteral(".nh\n.ad l\n");
    addHeading(QStringLiteral("NAME"));
    m_text += escaped(name) + QStringLiteral(" \\- ") + escaped(purpose) + u'\n';
}

void ManPage::addSynopsis(const QStringList &usageLines)
{
    addHeading(QStringLiteral("SYNOPSIS"));
    addLines(usageLines);
}

void ManPage::addSection(const QString &heading, const QString &text)
{
    addHeading(heading);
    QStringList lines = text.split(u'\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    addLines(lines);
}

void ManPage::addParagraphs(const QString &heading, const QStringList &paragraphs)
{
    addHeading(heading);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            m_text += QStringLiteral(".PP\n");
        m_text += escaped(paragraphs[i]) + u'\n';
    }
}

QString ManPage::escaped(const QString &line)
{
    QString text;
    if (line.startsWith(u'.') || line.startsWith(u'\''))
        text += QStringLiteral("\\&");
    for (const QChar c : line) {
        if (c == u'\\')
            text += QStringLiteral("\\e");
        else if (c == u'-')
            text += QStringLiteral("\\-");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            text += u' ';
        else if (c.unicode() > 0x7f)
            text += QStringLiteral("\\[u%1]").arg(
                QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
        else
            text += c;
    }
    return text;
}

void ManPage::addHeading(const QString &heading)
{
    m_text += QStringLiteral(".SH \"%1\"\n").arg(escaped(heading));
}

// Each line as it is; a blank line as a blank line.
void ManPage::addLines(const QStringList &lines)
{
    m_text += QStringLiteral(".nf\n");
    for (const QString &line : lines)
        m_text += line.trimmed().isEmpty() ? QStringLiteral("\n") : escaped(line) + u'\n';
    m_text += QStringLiteral(".fi\n");
}
