// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PreferencesCommands.h"

#include "AboutCommands.h"
#include "AppPaths.h"
#include "AppState.h"
#include "ComponentRegistry.h"
#include "HelpPages.h"
#include "MainMenus.h"
#include "EntryListHost.h"
#include "ModalScope.h"
#include "TrayWindowSettingsHost.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QCoreApplication>
#include <QMetaObject>
#include <memory>

namespace {

QVariant byte(int value)
{
    return QVariant::fromValue<quint8>(quint8(value));
}

}  // namespace

PreferencesCommands::PreferencesCommands(AppState &state, const MainMenus &menus, EntryListHost &lists,
                                         UrlOpener &opener, TrayWindowSettingsHost *tray, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_menus(menus)
    , m_lists(lists)
    , m_opener(&opener)
    , m_tray(tray)
    , m_window(window)
{
    connect(menus.mnuPreferences, &QAction::triggered, this, &PreferencesCommands::showPreferences);
    connect(menus.mnuHelp, &QAction::triggered, this, [this] { showHelpTopic(0); });
    connect(menus.mnuAbout, &QAction::triggered, this, [this] {
        const ModalScope scope(m_state, m_window);
        QString error;
        if (!AboutCommands::showAboutBox(m_state, m_window, &error))
            m_lists.showStatus(error);
    });
}

void PreferencesCommands::showPreferences()
{
    QString error;
    const std::unique_ptr<QObject> gcfg(
        ComponentRegistry::createObject(QStringLiteral("Pemberly.gConfig"), nullptr, &error));
    if (!gcfg) {
        m_lists.showStatus(tr("The options cannot be shown: %1").arg(error));
        return;
    }
    m_gcfg = gcfg.get();
    ComponentRegistry::connectEventsByName(gcfg.get(), this, QStringLiteral("gcfg"));
    const ModalScope scope(m_state, m_window);
    setProperties(gcfg.get());
    QMetaObject::invokeMethod(gcfg.get(), "ShowWnd", Qt::DirectConnection);
}

// In the order the settings object expects them.
void PreferencesCommands::setProperties(QObject *gcfg) const
{
    const AppSettings &settings = m_state.settings;
    gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(m_window));
    gcfg->setProperty("appMe", QVariant::fromValue<QObject *>(QCoreApplication::instance()));
    gcfg->setProperty("aP", m_state.appFolder);
    gcfg->setProperty("bFW", m_menus.mnuFullwindow->isChecked());
    gcfg->setProperty("pB", byte(settings.pB));
    gcfg->setProperty("aLS", settings.aLS);
    gcfg->setProperty("aSS", settings.aSS);
    gcfg->setProperty("aLU", settings.aLU);
    gcfg->setProperty("aSU", settings.aSU);
    gcfg->setProperty("uSK", settings.uSK);
    gcfg->setProperty("tP", byte(settings.tP));
    gcfg->setProperty("mAOT", settings.mAOT);
    gcfg->setProperty("iAOT", settings.iAOT);
    gcfg->setProperty("mT", byte(settings.mT));
    gcfg->setProperty("aI", settings.aI);
    gcfg->setProperty("oC", byte(settings.oC));
    gcfg->setProperty("dTI", settings.dTI);
    gcfg->setProperty("hAI", settings.hAI);
    gcfg->setProperty("cAF", byte(settings.cAF));
}

void PreferencesCommands::gcfg_ApplyCurrent()
{
    if (!m_gcfg)
        return;
    AppSettings &settings = m_state.settings;
    const auto flag = [this](const char *name) { return m_gcfg->property(name).toBool(); };
    const auto number = [this](const char *name) { return m_gcfg->property(name).toInt(); };

    if (const int tP = number("tP"); tP != settings.tP)
        emit tabPlacementChosen(tP);
    settings.aLS = flag("aLS");
    settings.aSS = flag("aSS");
    settings.aLU = flag("aLU");
    settings.aSU = flag("aSU");
    settings.uSK = flag("uSK");
    settings.pB = number("pB");
    settings.iAOT = flag("iAOT");
    applyFloatingButton(flag("hAI"), flag("aI"));
    settings.mT = number("mT");
    settings.oC = number("oC");
    settings.mAOT = flag("mAOT");
    WindowHelpers::setTopmost(m_window, settings.mAOT);
    if (const bool dTI = flag("dTI"); dTI != settings.dTI) {
        settings.dTI = dTI;
        if (m_tray)
            m_tray->setTrayIcon(dTI);
    }
    settings.cAF = number("cAF");
}

// "Only while online" first: while offline, switching it on hides the
// floating button and switching it off shows it again (when it is enabled).
// Then "enabled": the tray window toggles the button at once, except while
// "only while online" holds it back offline; the connection monitor then
// shows it once online.
void PreferencesCommands::applyFloatingButton(bool hAI, bool aI)
{
    AppState &state = m_state;
    AppSettings &settings = state.settings;
    if (hAI != settings.hAI) {
        settings.hAI = hAI;
        if (!state.isOnline && (hAI || aI))
            emit floatingButtonShown(!hAI);
    }
    if (aI == settings.aI)
        return;
    if (settings.hAI && !state.isOnline) {
        settings.aI = aI;
        return;
    }
    settings.aI = !aI;
    emit activeIconToggled();
}

QString PreferencesCommands::findCurrentVersion(const QString &exeName, const QString &valueName)
{
    return AppPaths::getAppPath(exeName, valueName);
}

void PreferencesCommands::showHelpTopic(int contextId)
{
    QString error;
    if (!HelpPages::open(*m_opener, m_state.appFolder, contextId, &error))
        m_lists.showStatus(error);
}
