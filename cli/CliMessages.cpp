#include "cli/CliMessages.h"

#include "chart/Bars.h"

bool OpenMasterFile(CBars& bars, const std::string& path, CCliMessages& messages) {
    if (!bars.SetMasterPath(path.c_str())) {
        messages.Show("You have not selected a file named \"MASTER\"", MessageIcon::None);
        return false;
    }
    const int shown = messages.m_nShown;
    if (bars.ReadMaster() == 0)
        return true;
    // A MASTER that cannot be opened at all fails without a message of the chart object's own.
    if (messages.m_nShown == shown)
        messages.Show("cannot open " + path, MessageIcon::Stop);
    return false;
}
