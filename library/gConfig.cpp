// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gConfig.h"

#include "BankPicture.h"
#include "OptionsGeneralPage.h"
#include "OptionsRules.h"
#include "ShellHelpers.h"
#include "frmOptions.h"

#include <QApplication>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

gConfig::gConfig(QObject *parent)
    : QObject(parent)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;  // no windows in this program
    m_dialog = std::make_unique<frmOptions>();
    connect(m_dialog.get(), &frmOptions::ApplyCurrent, this, &gConfig::gcfg_ApplyCurrent);
    connect(m_dialog.get(), &frmOptions::HelpRequested, this, &gConfig::showHelp);
}

gConfig::~gConfig() = default;

void gConfig::applyCurrent()
{
    emit ApplyCurrent();
}

QString gConfig::findCurrentVersion() const
{
    if (!m_frmMe)
        return QString();
    QString path;  // stays empty when the host has no such procedure
    QMetaObject::invokeMethod(m_frmMe, "gcfg_findCurrentVersion", Qt::DirectConnection,
                              Q_RETURN_ARG(QString, path), Q_ARG(QString, QStringLiteral("TESSALY.EXE")),
                              Q_ARG(QString, QString()));
    return path;
}

// The dialog belongs to the host's main window for the window manager, so
// that a main window put on top by "Apply" never covers it. The host keeps
// owning its window and this object its dialog.
void gConfig::keepAboveHostWindow()
{
    auto *host = qobject_cast<QWidget *>(m_frmMe.data());
    if (!host || !host->window()->windowHandle())
        return;
    m_dialog->winId();  // the dialog's native window, to hang it on the host's
    m_dialog->windowHandle()->setTransientParent(host->window()->windowHandle());
}

QVariant gConfig::ShowWnd()
{
    if (!m_dialog)
        return QVariant();
    m_programPath = findCurrentVersion();
    m_dialog->setClosing(false);
    m_dialog->load(values(), ShellHelpers::startupShortcutExists());
    m_dialog->setPicture(BankPicture::load(m_aP, QStringLiteral("id"), m_dialog->devicePixelRatioF()));
    keepAboveHostWindow();
    m_dialog->placeOnScreen();
    m_dialog->exec();
    // A change of the floating button hid the dialog after "Apply": it comes back.
    while (std::exchange(m_showAgain, false))
        m_dialog->exec();
    return QVariant();
}

void gConfig::gcfg_ApplyCurrent()
{
    OptionsGeneralPage *general = m_dialog->generalPage();
    general->setStartupChecked(ShellHelpers::setStartupShortcut(general->startupChecked(), m_programPath));

    const OptionsValues current = values();
    OptionsValues applied = m_dialog->values(current);
    const bool buttonChanges
        = OptionsRules::floatingButtonChanges(applied.aI, current.aI, applied.hAI, current.hAI);
    if (buttonChanges)
        m_dialog->hide();
    setValues(applied);
    emit ApplyCurrent();
    if (buttonChanges && !m_dialog->closing())
        m_showAgain = true;
}

void gConfig::showHelp(int contextId)
{
    if (!m_frmMe)
        return;
    const int window = int(m_dialog->winId());
    QMetaObject::invokeMethod(m_frmMe, "out_ShowHelpID", Qt::DirectConnection, Q_ARG(int, contextId),
                              Q_ARG(int, window));
}

OptionsValues gConfig::values() const
{
    OptionsValues v;
    v.pB = m_pB;
    v.tP = m_tP;
    v.mT = m_mT;
    v.cAF = m_cAF;
    v.oC = m_oC != 0;
    v.uSK = m_uSK;
    v.aLU = m_aLU;
    v.aSU = m_aSU;
    v.aLS = m_aLS;
    v.aSS = m_aSS;
    v.mAOT = m_mAOT;
    v.iAOT = m_iAOT;
    v.dTI = m_dTI;
    v.hAI = m_hAI;
    v.aI = m_aI;
    return v;
}

void gConfig::setValues(const OptionsValues &v)
{
    m_pB = quint8(v.pB);
    m_tP = quint8(v.tP);
    m_mT = quint8(v.mT);
    m_cAF = quint8(v.cAF);
    m_oC = v.oC ? 1 : 0;
    m_uSK = v.uSK;
    m_aLU = v.aLU;
    m_aSU = v.aSU;
    m_aLS = v.aLS;
    m_aSS = v.aSS;
    m_mAOT = v.mAOT;
    m_iAOT = v.iAOT;
    m_dTI = v.dTI;
    m_hAI = v.hAI;
    m_aI = v.aI;
}
