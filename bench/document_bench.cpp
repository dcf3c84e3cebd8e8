// The tape as a document: a key press at the cap with its journal on disk, against the same
// press without one, and saving and opening a full tape through the File menu's handlers.
#include <benchmark/benchmark.h>

#include <string>

#include "QuietPlatform.h"
#include "form/CalcForm.h"

namespace {

using sumwise::bench::QuietPlatform;

// Answers every file dialog with one file in the platform's own folder.
class FilePlatform : public QuietPlatform {
public:
    std::string OpenFileName(const std::string&, const std::string&) override { return File(); }
    std::string SaveFileName(const std::string&, const std::string&, const std::string&) override {
        return File();
    }
    std::string File() { return ProgramFolder() + "/bench.tape"; }
};

void FillTape(sumwise::CalcForm& form, std::size_t lines) {
    form.lstTape().Clear();
    for (std::size_t i = 0; i < lines; ++i) {
        form.lstTape().AddTapeLine(i % 7 == 6 ? "= 7.00" : "+ 1.00");
    }
}

// Arg 1: the journal follows every press.
void KeyPressAtTheCap(benchmark::State& state) {
    QuietPlatform platform;
    sumwise::CalcForm form(platform);
    form.Keys().cboDecPlace_Click(2);
    FillTape(form, sumwise::Tape::kMaxLines);
    const bool journal = state.range(0) != 0;
    if (journal) {
        form.Document().ClaimJournal();
    }
    form.Keys().cmdNumber_Click(7);
    for (auto _ : state) {
        form.Keys().cmdOperator_Click(1); // "+" repeats 7: one line more, the oldest dropped
    }
    state.counters["lines"] = static_cast<double>(form.lstTape().Count());
}
BENCHMARK(KeyPressAtTheCap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void SaveFullTape(benchmark::State& state) {
    FilePlatform platform;
    sumwise::CalcForm form(platform);
    form.Keys().cboDecPlace_Click(2);
    FillTape(form, sumwise::Tape::kMaxLines);
    for (auto _ : state) {
        form.Document().mnuSaveTape_Click();
    }
}
BENCHMARK(SaveFullTape)->Unit(benchmark::kMillisecond);

void OpenFullTape(benchmark::State& state) {
    FilePlatform platform;
    sumwise::CalcForm form(platform);
    form.Keys().cboDecPlace_Click(2);
    FillTape(form, sumwise::Tape::kMaxLines);
    form.Document().mnuSaveTape_Click();
    for (auto _ : state) {
        form.Document().mnuOpenTape_Click();
    }
    state.counters["lines"] = static_cast<double>(form.lstTape().Count());
}
BENCHMARK(OpenFullTape)->Unit(benchmark::kMillisecond);

} // namespace
