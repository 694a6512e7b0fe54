#include "bench/Spawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

std::string RunQuietly(const std::vector<std::string>& arguments, bool searchPath,
                       ExitCodes expected) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    // Expected failures report themselves on stderr; that would drown the benchmark's table.
    if (expected == ExitCodes::kZeroOrOne)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int error = searchPath
                          ? posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ)
                          : posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return "cannot start " + arguments[0];
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return "lost " + arguments[0];
    const int most = expected == ExitCodes::kZeroOrOne ? 1 : 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) > most)
        return arguments[0] + " " + arguments[1] + " failed";
    return {};
}
