#include "DesktopServices.h"

#include "BrowserDdeClient.h"
#include "LinuxProgramStarter.h"
#include "QtClipboardAccess.h"
#include "X11DesktopWindows.h"
#include "XTestSyntheticKeys.h"

struct DesktopServices::Parts
{
    X11DesktopWindows windows;
    XTestSyntheticKeys keys;
    QtClipboardAccess clipboard;
    LinuxProgramStarter starter;
    BrowserDdeClient dde {starter};
};

DesktopServices::DesktopServices() = default;
DesktopServices::~DesktopServices() = default;

BrowserServices DesktopServices::services()
{
    if (!m_parts)
        m_parts = std::make_unique<Parts>();
    return {m_parts->windows, m_parts->keys, m_parts->clipboard, m_parts->dde, m_parts->starter};
}
