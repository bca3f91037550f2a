#include "MenuRules.h"

namespace MenuRules {

States update(const Inputs &in, States s)
{
    const bool groups = in.groupCount > 0;
    s.renameGroup = s.removeGroup = s.removeGroupPopup = s.addMenu = groups;
    if (groups)
        s.rateMenu = true;

    if (groups && in.activeRows > 0) {
        // Nothing that changes entries while the entry editor or the find window is open.
        const bool free = in.dialogState != 2 && in.dialogState != 3 && in.dialogState != 4;
        s.removeGroup = s.removeGroupPopup = free;
        s.removeEntries = s.edit = s.openUrls = s.mergeFrom = s.move = free;
        s.findMenu = s.addMenu = s.sendMenu = s.rateMenu = free;
        s.findNext = !in.findTextEmpty;
    }
    if (in.activeRows == 0)
        s.removeEntries = s.edit = s.findMenu = s.sendMenu = s.move = s.rateMenu = false;
    if (in.currentTab == 1 && in.advMode != 1)
        s.removeGroup = false;
    s.groupCommandsVisible = in.currentTab == 2 || (in.currentTab == 1 && in.advMode != 2);
    return s;
}

} // namespace MenuRules
