#include "PreferencesCommands.h"

#include "AboutCommands.h"
#include "AppPaths.h"
#include "AppState.h"
#include "ComponentRegistry.h"
#include "HelpPages.h"
#include "MainMenus.h"
#include "MainWindow.h"
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

PreferencesCommands::PreferencesCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    const MainMenus *menus = m_window.menus();
    connect(menus->mnuPreferences, &QAction::triggered, this, &PreferencesCommands::showPreferences);
    connect(menus->mnuHelp, &QAction::triggered, this, [this] { showHelpTopic(0); });
    connect(menus->mnuAbout, &QAction::triggered, this, [this] {
        const ModalScope scope(m_window.state(), &m_window);
        QString error;
        if (!AboutCommands::showAboutBox(m_window.state(), &m_window, &error))
            m_window.showStatus(error);
    });
}

void PreferencesCommands::showPreferences()
{
    QString error;
    const std::unique_ptr<QObject> gcfg(
        ComponentRegistry::createObject(QStringLiteral("Pemberly.gConfig"), nullptr, &error));
    if (!gcfg) {
        m_window.showStatus(QStringLiteral("The options cannot be shown: %1").arg(error));
        return;
    }
    m_gcfg = gcfg.get();
    ComponentRegistry::connectEventsByName(gcfg.get(), this, QStringLiteral("gcfg"));
    const ModalScope scope(m_window.state(), &m_window);
    setProperties(gcfg.get());
    QMetaObject::invokeMethod(gcfg.get(), "ShowWnd", Qt::DirectConnection);
}

// In the order the settings object expects them.
void PreferencesCommands::setProperties(QObject *gcfg) const
{
    const AppSettings &s = m_window.state().settings;
    gcfg->setProperty("frmMe", QVariant::fromValue<QObject *>(&m_window));
    gcfg->setProperty("appMe", QVariant::fromValue<QObject *>(QCoreApplication::instance()));
    gcfg->setProperty("aP", m_window.state().appFolder);
    gcfg->setProperty("bFW", m_window.menus()->mnuFullwindow->isChecked());
    gcfg->setProperty("pB", byte(s.pB));
    gcfg->setProperty("aLS", s.aLS);
    gcfg->setProperty("aSS", s.aSS);
    gcfg->setProperty("aLU", s.aLU);
    gcfg->setProperty("aSU", s.aSU);
    gcfg->setProperty("uSK", s.uSK);
    gcfg->setProperty("tP", byte(s.tP));
    gcfg->setProperty("mAOT", s.mAOT);
    gcfg->setProperty("iAOT", s.iAOT);
    gcfg->setProperty("mT", byte(s.mT));
    gcfg->setProperty("aI", s.aI);
    gcfg->setProperty("oC", byte(s.oC));
    gcfg->setProperty("dTI", s.dTI);
    gcfg->setProperty("hAI", s.hAI);
    gcfg->setProperty("cAF", byte(s.cAF));
}

void PreferencesCommands::gcfg_ApplyCurrent()
{
    if (!m_gcfg)
        return;
    AppSettings &s = m_window.state().settings;
    const auto flag = [this](const char *name) { return m_gcfg->property(name).toBool(); };
    const auto number = [this](const char *name) { return m_gcfg->property(name).toInt(); };

    if (const int tP = number("tP"); tP != s.tP)
        m_window.setTabPlacement(tP);
    s.aLS = flag("aLS");
    s.aSS = flag("aSS");
    s.aLU = flag("aLU");
    s.aSU = flag("aSU");
    s.uSK = flag("uSK");
    s.pB = number("pB");
    s.iAOT = flag("iAOT");
    applyFloatingButton(flag("hAI"), flag("aI"));
    s.mT = number("mT");
    s.oC = number("oC");
    s.mAOT = flag("mAOT");
    WindowHelpers::setTopmost(&m_window, s.mAOT);
    if (const bool dTI = flag("dTI"); dTI != s.dTI) {
        s.dTI = dTI;
        if (m_window.trayHost())
            m_window.trayHost()->setTrayIcon(dTI);
    }
    s.cAF = number("cAF");
}

// "Only while online" first: while offline, switching it on hides the
// floating button and switching it off shows it again (when it is enabled).
// Then "enabled": the tray window toggles the button at once, except while
// "only while online" holds it back offline; the connection monitor then
// shows it once online.
void PreferencesCommands::applyFloatingButton(bool hAI, bool aI)
{
    AppState &state = m_window.state();
    AppSettings &s = state.settings;
    if (hAI != s.hAI) {
        s.hAI = hAI;
        if (!state.isOnline && (hAI || aI))
            emit m_window.floatingButtonShown(!hAI);
    }
    if (aI == s.aI)
        return;
    if (s.hAI && !state.isOnline) {
        s.aI = aI;
        return;
    }
    s.aI = !aI;
    emit m_window.activeIconToggled();
}

QString PreferencesCommands::findCurrentVersion(const QString &exeName, const QString &valueName)
{
    return AppPaths::getAppPath(exeName, valueName);
}

void PreferencesCommands::showHelpTopic(int contextId)
{
    QString error;
    if (!HelpPages::open(m_window.urlOpener(), m_window.state().appFolder, contextId, &error))
        m_window.showStatus(error);
}
