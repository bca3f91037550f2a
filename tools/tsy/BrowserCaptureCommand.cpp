// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserCaptureCommand.h"

#include "BrowserCapture.h"
#include "CaptureEditor.h"
#include "CapturedPageCommand.h"
#include "DesktopCommands.h"
#include "DesktopSession.h"
#include "JsonText.h"

#include <QCommandLineParser>

namespace {

// Keeps what the capture would have put into the entry editor.
class CapturedPage : public CaptureEditor
{
public:
    QString title;
    QString url;
    void showNewEntry(const QString &pageTitle, const QString &address) override
    {
        title = pageTitle;
        url = address;
    }
};

}  // namespace

QString BrowserCaptureCommand::summary() const
{
    return DesktopCommands::summaryOf(name());
}

QString BrowserCaptureCommand::help() const
{
    return QStringLiteral("Usage: tsy capture [--json]\n"
                          "       tsy capture FILE.tsy --group GROUP\n"
                          "\n"
                          "Reads the title and address of the page a running browser shows, the way\n"
                          "Tessaly's \"From Browser\" does with the current user's settings: by keys\n"
                          "into the browser window's address bar (uSK), from the browser window on\n"
                          "the desktop (pB 0), or by asking Firefox (pB 1) and then the others. The\n"
                          "window ways need an X11 display; a running Firefox is read from its session\n"
                          "store when that shows the window's page, so that no keys are needed. The\n"
                          "keys copy the address over the clipboard, which is then left as it was: a\n"
                          "small background process (tsy-desktop --keep-clipboard) serves its former\n"
                          "contents until another program takes the clipboard.\n"
                          "\n"
                          "Prints the title and the address on two lines, or with --json one object\n"
                          "{\"title\":\"T\",\"url\":\"U\"}. With FILE the page is added to GROUP (a\n"
                          "group's position from 0, or its name) as the entry editor's \"Accept\" adds\n"
                          "it, with an internet shortcut when cAF asks for one, and the new entry's\n"
                          "key is printed. When no browser answers, one line says so (exit status 1).\n")
        + lockAndBackupHelp();
}

int BrowserCaptureCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("GROUP"));
    parser.addOptions({json, group});
    if (!parse(parser, arguments, 0, true))
        return UsageError;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1 || files.isEmpty() != !parser.isSet(group)
        || (!files.isEmpty() && parser.isSet(json)))
        return usageError(QStringLiteral("give either FILE with --group, or neither"));

    DesktopSession desktop(name(), m_err);
    CapturedPage page;
    const bool answered = BrowserCapture(desktop.state(), desktop.services(), page).getBrowserURL();
    desktop.finish();
    if (!answered || page.url.isEmpty())
        return fileError(QStringLiteral("no browser answered"));
    // One line each, whatever the page's title holds.
    page.title.replace(u'\r', u' ').replace(u'\n', u' ');
    if (!files.isEmpty())
        return addToFile(files.first(), parser.value(group), page.title, page.url);
    if (parser.isSet(json))
        m_out << "{\"title\":" << JsonText::string(page.title) << ",\"url\":" << JsonText::string(page.url)
              << "}\n";
    else
        m_out << page.title << '\n' << page.url << '\n';
    return Success;
}

// The page goes to FILE in a command of its own, which the running
// program runs on its live store when it holds FILE.
int BrowserCaptureCommand::addToFile(const QString &file, const QString &groupText, const QString &title,
                                     const QString &url)
{
    CapturedPageCommand add(m_out, m_err);
    return add.run(CapturedPageCommand::arguments(file, groupText, title, url));
}
