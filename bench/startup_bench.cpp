// Start-up of the real program to its first painted frame, and its peak memory, against a
// bare Qt Widgets window built in the same tree and started the same way.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "BudgetReport.h"

extern char** environ;

namespace {

struct ProcessRun {
    double seconds = 0;
    long peakKiB = 0;
    bool ok = false;
};

// Runs the program from its own copy in a fresh folder (so its settings files land there)
// until it ends by itself after its first frame. Its standard output, holding its peak
// memory, comes back through a pipe, read once it has ended; Qt's warnings are dropped. A
// file there would add the file system's work on that file to every start: measured so,
// the calculator took 1 to 2 ms more and the bare window up to 1 ms, while a pipe adds
// nothing that a started program does not pay anyway.
ProcessRun RunOnce(const QString& program) {
    // Offscreen, unless SUMWISE_STARTUP_PLATFORM names another platform: "xcb" under an X
    // server gives the figure on a desktop.
    const std::string platform = qEnvironmentVariableIsEmpty("SUMWISE_STARTUP_PLATFORM")
                                     ? "offscreen"
                                     : qgetenv("SUMWISE_STARTUP_PLATFORM").toStdString();
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string_view(*e).substr(0, 16) != "QT_QPA_PLATFORM=") {
            env.emplace_back(*e);
        }
    }
    env.emplace_back("QT_QPA_PLATFORM=" + platform);
    std::vector<char*> envp;
    for (std::string& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string path = program.toStdString();
    char* argv[] = {path.data(), nullptr};

    ProcessRun run;
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0) {
        return run;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, output[1], 1);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &files, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&files);
    close(output[1]);
    int status = 0;
    const bool ended = spawned == 0 && waitpid(pid, &status, 0) == pid;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // One short line, which the pipe holds until it is read.
    QByteArray line;
    char buffer[256];
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
        line.append(buffer, got);
    }
    close(output[0]);
    line = line.simplified(); // "VmHWM: 40000 kB"
    if (line.startsWith("VmHWM:")) {
        run.peakKiB = line.split(' ').value(1).toLong();
    }
    run.ok = ended && WIFEXITED(status) && WEXITSTATUS(status) == 0 && run.peakKiB > 0;
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Runs the two programs in turn, so that a busy machine slows both alike, and reports the
// medians: the calculator's as the benchmark's time, the baseline's and the ratios as
// counters.
void StartUpAgainstBareWindow(benchmark::State& state) {
    QTemporaryDir dir;
    const QString program = dir.filePath("sumwise");
    const QString bare = dir.filePath("bare_window");
    if (!QFile::copy(SUMWISE_PROGRAM, program) || !QFile::copy(BARE_WINDOW_PROGRAM, bare)) {
        state.SkipWithError("cannot copy the programs");
        return;
    }
    std::vector<double> ours, theirs;
    long ourPeak = 0, theirPeak = 0;
    for (auto _ : state) {
        const ProcessRun base = RunOnce(bare);
        const ProcessRun run = RunOnce(program);
        if (!run.ok || !base.ok) {
            state.SkipWithError("a program did not end cleanly after its first frame");
            return;
        }
        state.SetIterationTime(run.seconds);
        ours.push_back(run.seconds);
        theirs.push_back(base.seconds);
        ourPeak = std::max(ourPeak, run.peakKiB);
        theirPeak = std::max(theirPeak, base.peakKiB);
    }
    const double ourMs = Median(ours) * 1000;
    const double theirMs = Median(theirs) * 1000;
    state.counters["median_ms"] = ourMs;
    state.counters["bare_ms"] = theirMs;
    state.counters["time_ratio"] = ourMs / theirMs;
    state.counters["peak_MiB"] = static_cast<double>(ourPeak) / 1024.0;
    state.counters["bare_MiB"] = static_cast<double>(theirPeak) / 1024.0;
    state.counters["peak_ratio"] = static_cast<double>(ourPeak) / static_cast<double>(theirPeak);
}
BENCHMARK(StartUpAgainstBareWindow)
    ->UseManualTime()
    ->Iterations(sumwise::bench::kStartUpRuns)
    ->Unit(benchmark::kMillisecond);

} // namespace
