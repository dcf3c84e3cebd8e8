// Start-up of the real program to its first painted frame, and its peak memory, against a
// bare Qt Widgets window built in the same tree and started the same way.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "qt/QuitAfterFirstFrame.h"

extern char** environ;

namespace {

struct ProcessRun {
    double seconds = 0;
    long peakKiB = 0;
    bool ok = false;
};

// Runs the program from its own copy in a fresh folder (so its settings files land there)
// until it ends by itself after its first frame. Its standard output, holding its peak
// memory, goes to a file in that folder; Qt's warnings are dropped.
ProcessRun RunOnce(const QString& program, const QString& report) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
    env.emplace_back(std::string(sumwise::qt::QuitAfterFirstFrame::kVariable) + "=1");
    std::vector<char*> envp;
    for (std::string& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string path = program.toStdString();
    char* argv[] = {path.data(), nullptr};

    const std::string reportPath = report.toStdString();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, reportPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);

    ProcessRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &files, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return run;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    QFile output(report);
    if (output.open(QIODevice::ReadOnly)) {
        const QByteArray line = output.readAll().simplified(); // "VmHWM: 40000 kB"
        if (line.startsWith("VmHWM:")) {
            run.peakKiB = line.split(' ').value(1).toLong();
        }
    }
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && run.peakKiB > 0;
    return run;
}

void StartUp(benchmark::State& state, const char* built) {
    QTemporaryDir dir;
    const QString program = dir.filePath(QFileInfo(built).fileName());
    if (!QFile::copy(built, program)) {
        state.SkipWithError("cannot copy the program");
        return;
    }
    long peakKiB = 0;
    for (auto _ : state) {
        const ProcessRun run = RunOnce(program, dir.filePath("report.txt"));
        if (!run.ok) {
            state.SkipWithError("the program did not end cleanly after its first frame");
            return;
        }
        state.SetIterationTime(run.seconds);
        peakKiB = std::max(peakKiB, run.peakKiB);
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
}

BENCHMARK_CAPTURE(StartUp, Sumwise, SUMWISE_PROGRAM)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartUp, BareQtWindow, BARE_WINDOW_PROGRAM)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

} // namespace
