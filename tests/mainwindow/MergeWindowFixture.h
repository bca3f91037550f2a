// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's set-up for the merge commands and their long work: a
// temporary folder with the default stack file (one entry "Kept" in the group
// "Mine") and a favorites folder in the data home, fresh settings, prompts
// answered by a script, and the program's translations as main() installs them.
#pragma once

#include "OpenerWindowFixture.h"
#include "ProgramTranslations.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>

class MergeWindowFixture : protected OpenerWindowFixture
{
protected:
    void setUpMergeWindow()
    {
        using TestEnvironment::writeFile;
        setUpWindow("+Mine\r\n"
                    + TestEnvironment::entryLine(
                        {"http://kept.example/", "Kept", "B1340927C", "B12800000", "3", "0", "2"})
                    + "\r\n");
        const QString favorites = m_dir->filePath("data/Tessaly/Favorites");
        QDir().mkpath(favorites + "/Work/Old");
        writeFile(favorites + "/Root.url", "[InternetShortcut]\r\nURL=http://root/\r\n");
        writeFile(favorites + "/Work/Job.url", "[InternetShortcut]\r\nURL=http://job/\r\n");
        writeFile(favorites + "/Work/Old/Past.url", "[InternetShortcut]\r\nURL=http://past/\r\n");
        QDir().mkpath(m_dir->filePath("elsewhere"));
        writeFile(m_dir->filePath("elsewhere/Away.url"), "[InternetShortcut]\r\nURL=http://away/\r\n");
    }
    void tearDownMergeWindow() { tearDownWindow(); }

    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};
};
