// The tape history: the L key with and without keeping a full tape, the history window opening
// on 1,000 kept tapes, and searching 1,000 tapes of 1,000 lines.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "QuietPlatform.h"
#include "form/CalcForm.h"
#include "history/TapeHistory.h"
#include "qt/window/HistoryWindow.h"

namespace {

using sumwise::bench::QuietPlatform;

// 1,000 kept tapes, a note on every hundredth line.
void FillHistory(const std::string& folder, int lines) {
    std::filesystem::create_directories(folder);
    for (int tape = 0; tape < 1000; ++tape) {
        sumwise::KeptTapeName name{{2026, 1 + tape / 100, 1 + tape % 28, 9, tape % 60, 0}, 1};
        std::ofstream out(folder + "/" + sumwise::KeptTapeFileName(name), std::ios::binary);
        for (int line = 0; line < lines; ++line) {
            out << "+ " << tape * 1000 + line << ".25";
            if (line % 100 == 0) {
                out << "\tinvoice " << tape << " line " << line;
            }
            out << '\n';
        }
    }
}

// Arg 1: the tape is kept in the history as it is cleared, in a history already full (1,000
// small tapes), so each keep also removes the oldest. Every tape differs from the last in one
// digit, so each is written, after a comparison with the newest kept one.
void ClearFullTape(benchmark::State& state) {
    QuietPlatform platform;
    sumwise::CalcForm form(platform);
    form.Form_Load();
    form.Keys().cboDecPlace_Click(2);
    form.Settings().SetKeepHistory(state.range(0) != 0);
    FillHistory(platform.ProgramFolder() + "/history", 3);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < sumwise::Tape::kMaxLines; ++i) {
            form.lstTape().AddTapeLine(i % 7 == 6 ? "= 7.00" : "+ 1.00");
        }
        form.lstTape().Rewrite(0, "+ " + std::to_string(round++ % 9) + ".00");
        state.ResumeTiming();
        form.Document().cmdClear_Click();
    }
}
BENCHMARK(ClearFullTape)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

struct HistoryFixture {
    HistoryFixture() {
        form.Form_Load();
        FillHistory(platform.ProgramFolder() + "/history", 1000);
    }
    QuietPlatform platform;
    sumwise::CalcForm form{platform};
};

// Until the window is on screen with every row's summary.
void HistoryWindowOpens(benchmark::State& state) {
    HistoryFixture fixture;
    for (auto _ : state) {
        auto window = std::make_unique<sumwise::qt::HistoryWindow>(fixture.form, fixture.platform);
        window->show();
        QApplication::processEvents();
        state.PauseTiming(); // closing waits for the search index's thread
        window.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = 1000;
}
BENCHMARK(HistoryWindowOpens)->Unit(benchmark::kMillisecond)->Iterations(5);

// Arg 0: a search typed the moment the window opens, answered once the thread has read the
// amounts and notes of every tape; arg 1: a search typed later, on the index in memory.
void SearchThousandTapes(benchmark::State& state) {
    HistoryFixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<sumwise::qt::HistoryWindow>(fixture.form, fixture.platform);
        if (state.range(0) == 1) {
            while (!window->indexed()) {
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
        }
        state.ResumeTiming();
        // An amount on one line of one tape: "500500.25" is tape 500's line 500.
        window->findChild<QLineEdit*>("txtSearch")->setText("500500.25");
        while (!window->indexed()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (window->shownRows() != 1) {
            state.SkipWithError("the search did not find the one tape");
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(SearchThousandTapes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
