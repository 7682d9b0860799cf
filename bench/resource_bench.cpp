// Resource figures of the tool as a user starts it: the demo window over a
// simulated logger (datalogger-config-bench), on Qt's offscreen platform, one
// fresh process per measurement:
//   start-up   from just before the process is spawned to the end of the
//              main window's first paint;
//   memory     the peak resident set (VmHWM) once the logger's parameters
//              are on the form and the window has settled;
//   idle CPU   user + system time over ten seconds with the logger attached
//              and nothing to do.
// Each figure is the median of several runs. Arguments: --runs=N (default 5);
// Google Benchmark's own --benchmark_* options are accepted and ignored, so
// scripts/bench.sh can pass the same arguments to every program.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {
using namespace std::chrono_literals;

constexpr auto MARK_TIMEOUT = 20s;
constexpr auto SETTLE = 1s;
constexpr auto IDLE_SPAN = 10s;

long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// One run of the tool: spawned with its output on a pipe, in a runtime
// folder of its own (so the single-instance lock meets no other run), and
// ended with SIGKILL when the measurement is taken.
class ToolProcess {
public:
    ToolProcess() {
        char folder[] = "/tmp/resource-bench-XXXXXX";
        if (mkdtemp(folder) == nullptr) throw std::runtime_error("mkdtemp failed");
        runtimeDir_ = folder;
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
        out_ = fds[0];

        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("XDG_RUNTIME_DIR=", 0) == 0) continue;
            env.push_back(entry);
        }
        env.push_back("QT_QPA_PLATFORM=offscreen");
        env.push_back("XDG_RUNTIME_DIR=" + runtimeDir_);
        std::vector<char*> envp;
        for (auto& entry : env) envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string program = TOOL_UNDER_MEASURE;
        char* argv[] = {program.data(), nullptr};

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        startNs_ = MonotonicNs();
        const int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (failed != 0) throw std::runtime_error("cannot start " + program);
    }

    ~ToolProcess() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        close(out_);
        std::filesystem::remove_all(runtimeDir_);
    }

    long long StartNs() const { return startNs_; }

    // The monotonic time the tool printed with `mark`.
    long long WaitForMark(const std::string& mark) {
        const long long deadline = MonotonicNs() + std::chrono::nanoseconds(MARK_TIMEOUT).count();
        for (;;) {
            for (size_t end; (end = buffered_.find('\n')) != std::string::npos;) {
                std::istringstream line(buffered_.substr(0, end));
                buffered_.erase(0, end + 1);
                std::string name;
                long long ns = 0;
                if (line >> name >> ns && name == mark) return ns;
            }
            const long long left = deadline - MonotonicNs();
            if (left <= 0) throw std::runtime_error("no '" + mark + "' from the tool in time");
            pollfd waitFor{out_, POLLIN, 0};
            if (poll(&waitFor, 1, static_cast<int>(left / 1'000'000) + 1) <= 0) continue;
            char chunk[256];
            const ssize_t got = read(out_, chunk, sizeof chunk);
            if (got <= 0) throw std::runtime_error("the tool ended before '" + mark + "'");
            buffered_.append(chunk, static_cast<size_t>(got));
        }
    }

    // Peak resident set in kB.
    long PeakResidentKb() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
        }
        throw std::runtime_error("no VmHWM in /proc status");
    }

    // User + system time of all its threads, in seconds.
    double CpuSeconds() const {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        // The command name in parentheses may hold blanks; fields count from after it.
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        for (int i = 3; i < 14; ++i) fields >> field;  // state .. cmajflt
        long utime = 0, stime = 0;
        fields >> utime >> stime;
        return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
    }

private:
    pid_t pid_ = 0;
    int out_ = -1;
    long long startNs_ = 0;
    std::string runtimeDir_;
    std::string buffered_;
};

double StartUpMs() {
    ToolProcess tool;
    return static_cast<double>(tool.WaitForMark("first-paint-ns") - tool.StartNs()) / 1e6;
}

double PeakMemoryMb() {
    ToolProcess tool;
    tool.WaitForMark("logger-loaded-ns");
    std::this_thread::sleep_for(SETTLE);
    return static_cast<double>(tool.PeakResidentKb()) / 1024.0;
}

double IdleCpuPercent() {
    ToolProcess tool;
    tool.WaitForMark("logger-loaded-ns");
    std::this_thread::sleep_for(SETTLE);
    const double before = tool.CpuSeconds();
    const long long from = MonotonicNs();
    std::this_thread::sleep_for(IDLE_SPAN);
    const double spent = tool.CpuSeconds() - before;
    const double span = static_cast<double>(MonotonicNs() - from) / 1e9;
    return 100.0 * spent / span;
}

struct Figure {
    const char* name;
    const char* unit;
    double aim;
    const char* method;
    std::function<double()> measure;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}
}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--runs=", 0) == 0) {
            runs = std::max(1, std::atoi(arg.c_str() + 7));
        } else if (arg.rfind("--benchmark_", 0) != 0) {
            std::fprintf(stderr, "usage: %s [--runs=N]\n", argv[0]);
            return 2;
        }
    }

    const Figure figures[] = {
        {"start-up", "ms", 300,
         "from posix_spawn to the end of the main window's first paint (CLOCK_MONOTONIC)", StartUpMs},
        {"peak memory", "MB", 60,
         "VmHWM of /proc/<pid>/status, logger's parameters loaded, 1 s after", PeakMemoryMb},
        {"idle CPU", "% of one core", 1,
         "utime+stime of /proc/<pid>/stat over 10 s, logger attached, nothing to do", IdleCpuPercent},
    };

    std::printf("Resource figures of %s\n(QT_QPA_PLATFORM=offscreen, simulated logger, "
                "one process per run, median of %d runs)\n\n", TOOL_UNDER_MEASURE, runs);
    bool allMet = true;
    for (const Figure& figure : figures) {
        std::vector<double> values;
        std::string each;
        try {
            for (int run = 0; run < runs; ++run) {
                values.push_back(figure.measure());
                char text[32];
                std::snprintf(text, sizeof text, "%s%.1f", run == 0 ? "" : " ", values.back());
                each += text;
            }
        } catch (const std::exception& failure) {
            std::printf("%-12s FAILED: %s\n", figure.name, failure.what());
            allMet = false;
            continue;
        }
        const double median = Median(values);
        const bool met = median < figure.aim;
        allMet = allMet && met;
        std::printf("%-12s %8.1f %-14s aim < %g %s  %s\n", figure.name, median, figure.unit, figure.aim,
                    figure.unit, met ? "met" : "MISSED");
        std::printf("%-12s runs: %s\n%-12s how: %s\n\n", "", each.c_str(), "", figure.method);
    }
    return allMet ? 0 : 1;
}
