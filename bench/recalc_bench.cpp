// Re-adding a full tape against the floor of the same work: formatting and strictly reading
// its numbers alone.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "number/NumberText.h"
#include "tape/TapeLine.h"
#include "tape/TapeRecalculation.h"

namespace {

std::vector<std::string> FullTape() {
    std::vector<std::string> lines;
    for (int i = 0; lines.size() < 32766; ++i) {
        lines.push_back("+ " + std::to_string(i % 977) + ".25");
        lines.push_back(std::string(sumwise::kEnDash) + " 3.10");
        lines.push_back("x 1.00");
        lines.push_back(i % 3 == 0 ? "= 1.00 sub total" : "= 1.00");
        if (i % 3 == 2) {
            lines.push_back(std::string(sumwise::kSeparatorLine));
        }
        if (i % 30 == 29) {
            lines.push_back("G 1.00");
        }
    }
    lines.resize(32766);
    return lines;
}

void RecalculateFullTape(benchmark::State& state) {
    const std::vector<std::string> tape = FullTape();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sumwise::RecalculateTape(tape, "#0.00"));
    }
}
BENCHMARK(RecalculateFullTape)->Unit(benchmark::kMillisecond);

void FormatAndReadFloor(benchmark::State& state) {
    const std::vector<std::string> tape = FullTape();
    for (auto _ : state) {
        double sum = 0;
        for (const std::string& line : tape) {
            const auto value = sumwise::StrictNumber(sumwise::ReadTapeLine(line).number);
            sum += value.value_or(0);
            benchmark::DoNotOptimize(sumwise::FormatNumber(sum, "#0.00"));
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(FormatAndReadFloor)->Unit(benchmark::kMillisecond);

} // namespace
