#include "ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace bench {

ChildRun RunChild(const std::vector<std::string>& argv, const std::string& stdoutPath) {
    ChildRun out;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    char tmpl[] = "/tmp/childrun-XXXXXX";
    const int fd = mkstemp(tmpl);
    if (fd >= 0) close(fd);
    const std::string target = stdoutPath.empty() ? std::string(tmpl) : stdoutPath;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, target.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        unlink(tmpl);
        return out;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return out;
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::ifstream in(target);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("peak_kB ", 0) == 0) out.peakRssKb = std::stol(line.substr(8));
    if (stdoutPath.empty()) unlink(tmpl);
    return out;
}

void ReportPeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) != 0) continue;
        std::istringstream fields(line.substr(6));
        long kb = 0;
        fields >> kb;
        std::printf("peak_kB %ld\n", kb);
    }
    std::fflush(stdout);
    if (const char* dump = std::getenv("BW_SMAPS_TO")) {
        std::ifstream maps("/proc/self/smaps");
        std::ofstream(dump) << maps.rdbuf();
    }
}

std::string OwnFolder() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/'));
}

}  // namespace bench
