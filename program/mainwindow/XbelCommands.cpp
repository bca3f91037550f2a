// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelCommands.h"

#include "AppState.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "MergeCommands.h"
#include "ModalScope.h"
#include "Prompter.h"
#include "XbelExport.h"

#include <QAction>
#include <QFileInfo>
#include <QVariant>

const QString XbelCommands::filter = QStringLiteral("(*.XBEL)|*.xbel *.xml");

XbelCommands::XbelCommands(MainWindow &window, MergeCommands &merges)
    : QObject(&window)
    , m_window(window)
    , m_merges(merges)
{
    MainMenus *menus = window.menus();
    connect(menus->mnuMergeXbel, &QAction::triggered, this, &XbelCommands::mergeXbel);
    connect(menus->mnuSaveXbel, &QAction::triggered, this, &XbelCommands::saveAsXbel);
}

void XbelCommands::mergeXbel()
{
    QString file;
    {
        const ModalScope modal(m_window.state(), &m_window);
        file = m_window.prompter().openFileName(tr("Merge From XBEL"), filter);
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
        m_window.showStatus(error);
}

QString XbelCommands::askSaveName()
{
    const ModalScope modal(m_window.state(), &m_window);
    for (;;) {
        QString path = m_window.prompter().saveFileName(tr("Save As XBEL"), filter).trimmed();
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += path.endsWith(u'.') ? QStringLiteral("xbel") : QStringLiteral(".xbel");
        if (path.isEmpty() || !QFileInfo::exists(path))
            return path;
        if (m_window.prompter().messageBox(tr("File Already Exists, Overwrite?"), Prompter::Buttons::YesNo,
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
    if (!XbelExport::saveStore(m_window.state().store, path, &error)) {
        m_window.showStatus(error);
        return QString();
    }
    m_window.showStatus(tr("Saved as XBEL: %1").arg(path));
    return path;
}
