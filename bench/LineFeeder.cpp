// Runs a program against a pseudo-terminal published as its port 1 and feeds it records at a
// steady rate, as the transmitter would, measuring from outside:
//   line_feeder [--rate R] [--seconds S] [--settle S]
//               [--on-feed-start COMMAND] [--on-feed-end COMMAND] -- PROGRAM [ARGUMENTS...]
// It prints one line: the time from the start to the first "2a" on the line, the CPU time the
// program used while it was fed, and the records written. The program runs under a private
// XDG_CONFIG_HOME; PROGRAM may be a wrapper such as valgrind. The two COMMANDs run through the
// shell just before and just after the feeding, with %p replaced by the program's process id
// (e.g. "callgrind_control -i on %p", so that only the fed seconds are counted).
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// CPU time of every thread of `pid`, in nanoseconds, from the scheduler's own accounting.
long long cpuNanoseconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    long long total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') {
                continue;
            }
            std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
            long long onCpu = 0;
            if (stat >> onCpu) {
                total += onCpu;
            }
        }
        closedir(dir);
    }
    return total;
}

// Reads whatever the program wrote, waiting at most `wait`; true once "2a" has been seen.
bool drain(int master, std::chrono::milliseconds wait, std::string& seen) {
    pollfd fd{master, POLLIN, 0};
    if (poll(&fd, 1, int(wait.count())) > 0 && (fd.revents & POLLIN)) {
        char buffer[256];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n > 0) {
            seen.append(buffer, std::size_t(n));
            if (seen.size() > 64) {
                seen.erase(0, seen.size() - 64);
            }
        }
    }
    return seen.find("2a") != std::string::npos;
}

}  // namespace

int main(int argc, char* argv[]) {
    double rate = 0;
    double seconds = 10;
    double settle = 1;
    std::string onFeedStart;
    std::string onFeedEnd;
    int first = 1;
    for (; first < argc && std::strcmp(argv[first], "--") != 0; ++first) {
        const std::string option = argv[first];
        if (first + 1 >= argc) {
            break;
        }
        const std::string text = argv[++first];
        const double value = std::atof(text.c_str());
        if (option == "--on-feed-start") {
            onFeedStart = text;
        } else if (option == "--on-feed-end") {
            onFeedEnd = text;
        }
        if (option == "--rate") {
            rate = value;
        } else if (option == "--seconds") {
            seconds = value;
        } else if (option == "--settle") {
            settle = value;
        }
    }
    if (first + 1 >= argc) {
        std::fprintf(stderr,
                     "usage: line_feeder [--rate R] [--seconds S] [--settle S] -- PROGRAM ...\n");
        return 2;
    }

    char configTemplate[] = "/tmp/line-feeder-XXXXXX";
    const std::string config = mkdtemp(configTemplate);
    const std::string ports = config + "/VoraTXController/ports";
    mkdir((config + "/VoraTXController").c_str(), 0700);
    mkdir(ports.c_str(), 0700);
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    if (symlink(name, (ports + "/com1").c_str()) != 0) {
        std::perror("symlink");
        return 1;
    }

    const auto started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(master);
        close(slave);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", config.c_str(), 1);
        if (getenv("QT_QPA_PLATFORM") == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        execvp(argv[first + 1], argv + first + 1);
        std::perror("exec");
        _exit(127);
    }

    std::string seen;
    while (!drain(master, 20ms, seen)) {
        if (Clock::now() - started > 300s || waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "line_feeder: no \"2a\" from the program\n");
            return 1;
        }
    }
    const double startupMs =
        std::chrono::duration<double, std::milli>(Clock::now() - started).count();

    // The first records change what the window shows and repaint it; the steady state is what
    // is measured, so they go out before it.
    const char* records[] = {"S1010128", "F1296000"};
    if (rate > 0 && write(master, "S1010128F1296000", 16) != 16) {
        std::perror("write");
    }
    const auto settled = Clock::now() + std::chrono::duration<double>(settle);
    while (Clock::now() < settled) {
        drain(master, 10ms, seen);
    }

    const auto hook = [child](std::string command) {
        if (command.empty()) {
            return;
        }
        for (std::size_t at = command.find("%p"); at != std::string::npos;
             at = command.find("%p")) {
            command.replace(at, 2, std::to_string(child));
        }
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "line_feeder: \"%s\" failed\n", command.c_str());
        }
    };
    hook(onFeedStart);

    long long written = 0;
    const long long cpuBefore = cpuNanoseconds(child);
    const auto feedStart = Clock::now();
    const auto feedEnd = feedStart + std::chrono::duration<double>(seconds);
    auto next = feedStart;
    while (Clock::now() < feedEnd) {
        if (rate > 0 && Clock::now() >= next) {
            if (write(master, records[written % 2], 8) == 8) {
                ++written;
            }
            next = feedStart + std::chrono::duration_cast<Clock::duration>(
                                   std::chrono::duration<double>(double(written) / rate));
        }
        const auto untilNext = rate > 0 ? next - Clock::now() : feedEnd - Clock::now();
        drain(
            master,
            std::max(0ms, std::min(50ms, std::chrono::ceil<std::chrono::milliseconds>(untilNext))),
            seen);
    }
    const long long cpuAfter = cpuNanoseconds(child);
    hook(onFeedEnd);

    std::printf("startup_ms=%.1f cpu_ms=%.2f records=%lld seconds=%.2f\n", startupMs,
                double(cpuAfter - cpuBefore) / 1e6, written,
                std::chrono::duration<double>(Clock::now() - feedStart).count());
    std::fflush(stdout);

    kill(child, SIGTERM);
    for (int i = 0; i < 500 && waitpid(child, nullptr, WNOHANG) == 0; ++i) {
        usleep(20000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    unlink((ports + "/com1").c_str());
    rmdir(ports.c_str());
    rmdir((config + "/VoraTXController").c_str());
    rmdir(config.c_str());
    return 0;
}
