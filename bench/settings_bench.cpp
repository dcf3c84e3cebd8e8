// The settings file: reading and writing all its keys on the real disk, and the whole
// start-up sequence (read, check, back up) of the core against a quiet platform.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "QuietPlatform.h"
#include "form/CalcForm.h"
#include "platform/FileOps.h"
#include "settings/SettingsSchema.h"

namespace {

class FolderPlatform : public sumwise::bench::QuietPlatform {
public:
    explicit FolderPlatform(std::string folder) : folder_(std::move(folder)) {}
    std::string ProgramFolder() override { return folder_; }

private:
    std::string folder_;
};

std::string SettingsPathIn(const QTemporaryDir& dir) {
    return dir.filePath(sumwise::kSettingsFileName).toStdString();
}

void LoadSettingsFile(benchmark::State& state) {
    QTemporaryDir dir;
    sumwise::DiskFileOps files;
    const std::string path = SettingsPathIn(dir);
    sumwise::WriteDefaultSettings(files, path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sumwise::LoadSettingsValues(files, path));
    }
}
BENCHMARK(LoadSettingsFile)->Unit(benchmark::kMicrosecond);

void SaveSettingsFile(benchmark::State& state) {
    QTemporaryDir dir;
    sumwise::DiskFileOps files;
    const std::string path = SettingsPathIn(dir);
    sumwise::WriteDefaultSettings(files, path);
    sumwise::SettingsValues values;
    for (auto _ : state) {
        values.Left += 15; // a real change each time
        if (!sumwise::SaveSettingsValues(files, path, values)) {
            state.SkipWithError("save failed");
            return;
        }
    }
}
BENCHMARK(SaveSettingsFile)->Unit(benchmark::kMicrosecond);

void StartUpSequence(benchmark::State& state) {
    QTemporaryDir dir;
    FolderPlatform platform(dir.path().toStdString());
    {
        sumwise::CalcForm first(platform);
        first.Form_Load(); // writes the settings file and its backup once
        first.Form_Unload();
    }
    for (auto _ : state) {
        sumwise::CalcForm form(platform);
        form.Form_Load();
        benchmark::DoNotOptimize(form.Keys().lblResult());
    }
}
BENCHMARK(StartUpSequence)->Unit(benchmark::kMicrosecond);

// "VmRSS" or "VmHWM" of this process, in KiB; 0 when the system does not tell.
long StatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    long value = 0;
    while (status >> name) {
        if (name == field + ":") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Resets the process's peak memory to what it holds now, so the next VmHWM is this work's.
bool ResetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

// A start and an exit of the core with a settings file followed by 10 MB of empty lines:
// read once, written once, so the cost follows the file's size. Counters: the extra memory
// at the peak, and the same start and exit with the default file as the baseline.
void HugeSettingsFileStartAndExit(benchmark::State& state) {
    QTemporaryDir dir;
    FolderPlatform platform(dir.path().toStdString());
    const std::string path = SettingsPathIn(dir);
    const auto startAndExit = [&platform] {
        sumwise::CalcForm form(platform);
        form.Form_Load();
        form.Form_Unload();
    };
    startAndExit(); // the default files
    const auto clock = std::chrono::steady_clock::now;
    const auto started = clock();
    startAndExit();
    const double baselineMs = std::chrono::duration<double, std::milli>(clock() - started).count();
    {
        std::ofstream append(path, std::ios::binary | std::ios::app);
        append << std::string(10 * 1024 * 1024, '\n');
    }
    long extraKiB = 0;
    for (auto _ : state) {
        if (!ResetPeakMemory()) {
            state.SkipWithError("the peak memory cannot be reset here");
            return;
        }
        const long before = StatusKiB("VmRSS");
        startAndExit();
        extraKiB = std::max(extraKiB, StatusKiB("VmHWM") - before);
    }
    state.counters["extra_MiB"] = static_cast<double>(extraKiB) / 1024.0;
    state.counters["default_file_ms"] = baselineMs;
}
BENCHMARK(HugeSettingsFileStartAndExit)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
