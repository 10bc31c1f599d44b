#include "support/run_program.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

Ran RunProgram(const ProgramRun& run) {
    char outName[] = "/tmp/zandrove_run_out_XXXXXX";
    char errName[] = "/tmp/zandrove_run_err_XXXXXX";
    const int outFd = mkstemp(outName), errFd = mkstemp(errName);
    Ran ran;
    const pid_t pid = fork();
    if (pid == 0) {
        // The timer survives exec; its default action ends the program.
        std::signal(SIGALRM, SIG_DFL);
        std::signal(SIGXFSZ, SIG_DFL);
        alarm(static_cast<unsigned>(run.timeoutSeconds));
        if (run.fileSizeLimit >= 0) {
            const rlimit limit{static_cast<rlim_t>(run.fileSizeLimit), static_cast<rlim_t>(run.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        const int out = run.stdoutPath.empty() ? outFd : open(run.stdoutPath.c_str(), O_WRONLY | O_CREAT, 0644);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(errFd, 2);
        if (!run.dir.empty() && chdir(run.dir.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        for (const std::string& a : run.args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int raw = 0;
    while (pid > 0 && waitpid(pid, &raw, 0) < 0) {
    }
    if (pid > 0 && WIFEXITED(raw)) ran.status = WEXITSTATUS(raw);
    ran.timedOut = pid > 0 && WIFSIGNALED(raw) && WTERMSIG(raw) == SIGALRM;
    close(outFd);
    close(errFd);
    ran.out = Slurp(outName);
    ran.err = Slurp(errName);
    unlink(outName);
    unlink(errName);
    return ran;
}
