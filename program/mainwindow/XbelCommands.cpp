// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelCommands.h"

#include "AppState.h"
#include "EntryListHost.h"
#include "MainMenus.h"
#include "MergeCommands.h"
#include "ModalScope.h"
#include "Prompter.h"
#include "XbelExport.h"

#include <QAction>
#include <QFileInfo>
#include <QVariant>

const QString XbelCommands::filter = QStringLiteral("(*.XBEL)|*.xbel *.xml");

XbelCommands::XbelCommands(AppState &state, Prompter &prompter, EntryListHost &lists, const MainMenus &menus,
                           MergeCommands &merges, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_prompter(prompter)
    , m_lists(lists)
    , m_window(window)
    , m_merges(merges)
{
    connect(menus.mnuMergeXbel, &QAction::triggered, this, &XbelCommands::mergeXbel);
    connect(menus.mnuSaveXbel, &QAction::triggered, this, &XbelCommands::saveAsXbel);
}

void XbelCommands::mergeXbel()
{
    QString file;
    {
        const ModalScope modal(m_state, m_window);
        file = m_prompter.openFileName(tr("Merge From XBEL"), filter);
    }
    if (file.isEmpty())
        return;
    QString error;
    m_merges.runMerge([&](QObject *mb) {
        bool read = false;
        QMetaObject::invokeMethod(mb, "MergeXbel", Q_RETURN_ARG(bool, read), Q_ARG(QString, file));
        if (!read)
            error = mb->property("lastError").toString();
    });
    if (!error.isEmpty())
        m_lists.showStatus(error);
}

QString XbelCommands::askSaveName()
{
    const ModalScope modal(m_state, m_window);
    for (;;) {
        QString path = m_prompter.saveFileName(tr("Save As XBEL"), filter).trimmed();
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += path.endsWith(u'.') ? QStringLiteral("xbel") : QStringLiteral(".xbel");
        if (path.isEmpty() || !QFileInfo::exists(path))
            return path;
        if (m_prompter.messageBox(tr("File Already Exists, Overwrite?"), Prompter::Buttons::YesNo,
                                  Prompter::Icon::None, QStringLiteral("Tessaly"))
            == Prompter::Answer::Yes)
            return path;
    }
}

QString XbelCommands::saveAsXbel()
{
    const QString path = askSaveName();
    if (path.isEmpty())
        return QString();
    QString error;
    if (!XbelExport::saveStore(m_state.store, path, &error)) {
        m_lists.showStatus(error);
        return QString();
    }
    m_lists.showStatus(tr("Saved as XBEL: %1").arg(path));
    return path;
}
