// The settings file: reading and writing all its keys on the real disk, and the whole
// start-up sequence (read, check, back up) of the core against a quiet platform.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>

#include "QuietPlatform.h"
#include "shell/CalcForm.h"
#include "shell/FileOps.h"
#include "shell/SettingsSchema.h"

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
        benchmark::DoNotOptimize(form.lblResult());
    }
}
BENCHMARK(StartUpSequence)->Unit(benchmark::kMicrosecond);

} // namespace
