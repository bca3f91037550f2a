// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserCapture.h"

#include "AppState.h"
#include "CaptureEditor.h"
#include "ClipboardAccess.h"
#include "DdeClient.h"
#include "DdeItems.h"
#include "KeySequences.h"
#include "StoreRecording.h"

#include <QCoreApplication>

BrowserCapture::BrowserCapture(AppState &state, BrowserServices services, CaptureEditor &editor)
    : m_state(state)
    , m_services(services)
    , m_editor(editor)
    , m_search(services.windows, state.platformId)
{ }

bool BrowserCapture::getBrowserURL()
{
    if (m_state.dialogState != AppState::NoDialog)
        return false;
    // The entry the editor adds is one step of the main window's history.
    const StoreRecording recording(m_state, QCoreApplication::translate("BrowserCapture", "From Browser"));
    bool shown = false;
    if (m_state.settings.uSK)
        shown = grabURLByKeys();
    else if (m_state.settings.pB == 0)
        shown = grabURLFromIE();
    else
        shown = grabURLByDde(m_state.settings.pB);
    // The capture began with no dialog open and leaves none open, whatever
    // the editor it showed restored.
    m_state.dialogState = AppState::NoDialog;
    return shown;
}

bool BrowserCapture::grabURLByKeys()
{
    m_state.dialogState = AppState::PromptOpen;
    bool shown = false;
    // Keys go only to the browser: a window that could not be made active is not used.
    if (const auto title = m_search.activateBrowserWindow(activateWaitMs)) {
        const QString pageTitle = BrowserTitles::pageTitle(*title);
        // Firefox's session names the page without keys, which would pass through the user's clipboard.
        QString url = sessionURL(BrowserTitles::familyOf(*title, QString(), QString()), pageTitle);
        if (url.isEmpty())
            url = copyAddressByKeys();
        m_state.dialogState = AppState::MakingEntry;
        m_editor.showNewEntry(pageTitle, url);
        shown = true;
    }
    m_state.dialogState = AppState::NoDialog;
    return shown;
}

QString BrowserCapture::copyAddressByKeys()
{
    ClipboardAccess &clipboard = m_services.clipboard;
    const ClipboardContents saved = clipboard.save();
    m_services.keys.send(KeySequences::sendAltD());
    // Emptied first, so that only a text the browser copies counts as a change.
    clipboard.clear();
    m_services.keys.send(KeySequences::sendCtrlC());
    const QString url = clipboard.waitForChange(QString(), clipboardWaitMs);
    m_services.keys.send(KeySequences::sendEscape());
    clipboard.restore(saved);
    return url.trimmed();
}

bool BrowserCapture::grabURLFromIE()
{
    const auto window = m_search.findIEWindow();
    if (!window)
        return false;
    // Reading the address may wait for the browser: no other command of the
    // main window runs meanwhile.
    m_state.dialogState = AppState::PromptOpen;
    const QString url = locationURL(*window);
    m_state.dialogState = AppState::MakingEntry;
    m_editor.showNewEntry(window->LocationName, url);
    m_state.store.countChange();
    return true;
}

// Firefox's current page comes from its session store while that names the
// page the window shows; any other browser's (and a stale session's) from the
// address bar.
QString BrowserCapture::locationURL(const BrowserWindowSearch::BrowserWindow &window)
{
    if (const QString url = sessionURL(window.family, window.LocationName); !url.isEmpty())
        return url;
    if (!m_services.windows.activate(window.HWND, activateWaitMs))
        return QString();
    return copyAddressByKeys();
}

QString BrowserCapture::sessionURL(BrowserTitles::Family family, const QString &pageTitle)
{
    if (family != BrowserTitles::Family::Firefox)
        return QString();
    QString reply;
    if (m_services.dde.request(DdeItems::serviceName(1), DdeItems::windowInfoTopic,
                               DdeItems::lastActiveWindow, &reply)
        != DdeClient::Status::Ok)
        return QString();
    const auto info = DdeItems::readWindowInfo(reply);
    // Only the page the window shows: a window without a page title (a new
    // tab) may be on any page the session recorded last.
    if (!info || info->title != pageTitle)
        return QString();
    return info->url;
}

bool BrowserCapture::grabURLByDde(int browser)
{
    for (int tries = 0; tries < ddeAttempts; ++tries) {
        QString reply;
        const auto status = m_services.dde.request(DdeItems::serviceName(browser), DdeItems::windowInfoTopic,
                                                   DdeItems::lastActiveWindow, &reply);
        if (status == DdeClient::Status::Ok) {
            if (const auto info = DdeItems::readWindowInfo(reply)) {
                m_state.dialogState = AppState::MakingEntry;
                m_editor.showNewEntry(info->title, info->url);
                return true;
            }
        }
        browser = browser + 1 > 2 ? 0 : browser + 1;
    }
    return false;
}
