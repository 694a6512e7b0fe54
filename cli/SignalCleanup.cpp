#include "cli/SignalCleanup.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

// The file that a signal must remove, as a fixed text: a handler may not allocate.
char g_szTemporary[4096];

extern "C" void RemoveTemporaryAndDie(int signal) {
    if (g_szTemporary[0] != '\0')
        ::unlink(g_szTemporary);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void RemoveOnSignal(const std::string& path) {
    if (path.size() >= sizeof g_szTemporary)
        return;
    std::memcpy(g_szTemporary, path.c_str(), path.size() + 1);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, RemoveTemporaryAndDie);
}

void StopRemovingOnSignal() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, SIG_DFL);
    g_szTemporary[0] = '\0';
}
