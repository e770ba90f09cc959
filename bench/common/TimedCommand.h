#pragma once

// Runs a peer program (find, grep) with its output going to a file and times it from start to exit.
#include <QByteArray>
#include <QElapsedTimer>

#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace zorvik::bench {

// Seconds the command took, or -1 when it could not run or failed (exit status above 1). Mind that GNU
// grep stops at its first match when its output is /dev/null.
inline double secondsOfCommand(const std::vector<QByteArray>& arguments, const char* output = "/dev/null") {
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    return WIFEXITED(status) && WEXITSTATUS(status) <= 1 ? seconds : -1;
}

} // namespace zorvik::bench
