#include "cli/CliMessages.h"

#include "chart/Bars.h"
#include "chart/MasterPath.h"
#include "platform/RegularFile.h"

bool OpenMasterFile(CBars& bars, const std::string& path, CCliMessages& messages) {
    const std::string master = MasterPathToOpen(path);
    if (!bars.SetMasterPath(master.c_str())) {
        messages.Show("You have not selected a file named \"MASTER\"", MessageIcon::None);
        return false;
    }
    const int shown = messages.m_nShown;
    if (bars.ReadMaster() == 0)
        return true;
    // A MASTER that cannot be opened at all fails without a message of the chart object's own.
    if (messages.m_nShown == shown) {
        const std::string reason = UnreadableReason(bars.GetMasterPath());
        messages.Show("cannot open " + std::string(bars.GetMasterPath()) +
                          (reason.empty() ? std::string() : ": " + reason),
                      MessageIcon::Stop);
    }
    return false;
}
