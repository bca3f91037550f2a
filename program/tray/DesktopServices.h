#pragma once

#include "BrowserServices.h"

#include <memory>

// The desktop services of this computer that the browser capture and launch
// use: the X11 window list and XTest keys (nothing found without X11), the
// clipboard (a QGuiApplication's), programs started detached, and the DDE
// adapter over the installed browsers. Each connection is made on first use.
class DesktopServices
{
public:
    DesktopServices();
    ~DesktopServices();
    DesktopServices(const DesktopServices &) = delete;
    DesktopServices &operator=(const DesktopServices &) = delete;

    BrowserServices services();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
