// A key press at the tape's cap against one on a short tape: the cost must not grow with
// the tape's length.
#include <benchmark/benchmark.h>

#include "QuietPlatform.h"
#include "form/CalcForm.h"
#include "number/NumberText.h"

namespace {

using sumwise::bench::QuietPlatform;

void KeyPressOnTape(benchmark::State& state) {
    QuietPlatform platform;
    sumwise::CalcForm form(platform);
    form.Keys().cboDecPlace_Click(2);
    for (int64_t i = 0; i < state.range(0); ++i) {
        form.lstTape().AddTapeLine("+ 1.00");
    }
    form.Keys().cmdNumber_Click(7);
    const auto limit = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        form.Keys().cmdOperator_Click(
            1); // "+" repeats 7: one AddTapeLine, dropping the oldest line
        if (form.lstTape().Count() > limit + 1000) {
            state.PauseTiming(); // keep a short tape short
            while (form.lstTape().Count() > limit) {
                form.lstTape().Clear();
                for (std::size_t i = 0; i < limit; ++i) {
                    form.lstTape().AddTapeLine("+ 1.00");
                }
            }
            state.ResumeTiming();
        }
    }
    state.counters["lines"] = static_cast<double>(form.lstTape().Count());
}
BENCHMARK(KeyPressOnTape)->Arg(1000)->Arg(32766);

void FormatTwoPlaces(benchmark::State& state) {
    double v = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sumwise::FormatNumber(v, "#0.00"));
        v += 0.01;
    }
}
BENCHMARK(FormatTwoPlaces);

} // namespace
