#include "common/limitedRun.h"

#ifndef _WIN32

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/fileText.h"

limitedRun runWithFileLimit(unsigned long limit, const std::function<int(logSink&)>& work) {
    int fds[2];
    if (pipe(fds) != 0) return {-1, ""};
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
        memoryLog log;
        const int r = work(log);
        const std::string text = joinLines(log.lines);
        if (write(fds[1], text.data(), text.size()) < 0) _exit(99);
        _exit(r);
    }
    close(fds[1]);
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

#endif
