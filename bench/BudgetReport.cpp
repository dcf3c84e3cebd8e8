#include "BudgetReport.h"

#include <cstdio>
#include <functional>
#include <optional>

namespace sumwise::bench {

void BudgetReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration) {
            continue;
        }
        Figure figure;
        figure.ms = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) *
                    benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond);
        for (const auto& [name, counter] : run.counters) {
            figure.counters[name] = counter.value;
        }
        figures_[run.benchmark_name()] = figure;
    }
}

const BudgetReporter::Figure* BudgetReporter::Find(const std::string& name) const {
    const auto found = figures_.find(name);
    return found == figures_.end() ? nullptr : &found->second;
}

namespace {

struct Budget {
    std::string what;
    // The measured figure as text and whether it is within budget; nullopt when a figure it
    // needs is missing.
    std::function<std::optional<std::pair<std::string, bool>>(const BudgetReporter&)> judge;
};

std::string Format(const char* format, double a, double b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::optional<double> Ms(const BudgetReporter& r, const std::string& name) {
    const auto* f = r.Find(name);
    return f != nullptr ? std::optional<double>(f->ms) : std::nullopt;
}

std::optional<double> Counter(const BudgetReporter& r, const std::string& name,
                              const std::string& counter) {
    const auto* f = r.Find(name);
    if (f == nullptr || f->counters.count(counter) == 0) {
        return std::nullopt;
    }
    return f->counters.at(counter);
}

// A key press must not grow with the tape: the long tape may cost at most this much more.
constexpr double kFlatRatio = 1.5;

std::vector<Budget> Budgets() {
    return {
        {"RecalculateTape, 32,766 lines: <= 2x floor, < 10 ms",
         [](const BudgetReporter& r) -> std::optional<std::pair<std::string, bool>> {
             const auto ms = Ms(r, "RecalculateFullTape");
             const auto floor = Ms(r, "FormatAndReadFloor");
             if (!ms || !floor) {
                 return std::nullopt;
             }
             return std::pair{Format("%.2f ms, %.2fx floor", *ms, *ms / *floor),
                              *ms <= 2 * *floor && *ms < 10};
         }},
        {"Key press, core, at the cap: < 0.05 ms, flat",
         [](const BudgetReporter& r) -> std::optional<std::pair<std::string, bool>> {
             const auto full = Ms(r, "KeyPressOnTape/32766");
             const auto small = Ms(r, "KeyPressOnTape/1000");
             if (!full || !small) {
                 return std::nullopt;
             }
             return std::pair{Format("%.5f ms, %.2fx 1,000 lines", *full, *full / *small),
                              *full < 0.05 && *full / *small <= kFlatRatio};
         }},
        {"Key press, through the view, at the cap: < 0.5 ms, flat",
         [](const BudgetReporter& r) -> std::optional<std::pair<std::string, bool>> {
             const auto full = Ms(r, "KeyPressThroughView/32766");
             const auto small = Ms(r, "KeyPressThroughView/1000");
             if (!full || !small) {
                 return std::nullopt;
             }
             return std::pair{Format("%.4f ms, %.2fx 1,000 lines", *full, *full / *small),
                              *full < 0.5 && *full / *small <= kFlatRatio};
         }},
        {"Start-up to the first frame: <= 1.3x bare Qt window (medians)",
         [](const BudgetReporter& r) -> std::optional<std::pair<std::string, bool>> {
             const std::string name = "StartUpAgainstBareWindow/iterations:30/manual_time";
             const auto ms = Counter(r, name, "median_ms");
             const auto ratio = Counter(r, name, "time_ratio");
             if (!ms || !ratio) {
                 return std::nullopt;
             }
             return std::pair{Format("%.1f ms, %.2fx", *ms, *ratio), *ratio <= 1.3};
         }},
        {"Peak memory at start-up: <= 1.3x bare Qt window",
         [](const BudgetReporter& r) -> std::optional<std::pair<std::string, bool>> {
             const std::string name = "StartUpAgainstBareWindow/iterations:30/manual_time";
             const auto mib = Counter(r, name, "peak_MiB");
             const auto ratio = Counter(r, name, "peak_ratio");
             if (!mib || !ratio) {
                 return std::nullopt;
             }
             return std::pair{Format("%.1f MiB, %.2fx", *mib, *ratio), *ratio <= 1.3};
         }},
        {"Print 32,766 lines to PDF: < 3 s, linear",
         [](const BudgetReporter& r) -> std::optional<std::pair<std::string, bool>> {
             const auto full = Ms(r, "PrintTapeToPdf/32766");
             const auto quarter = Ms(r, "PrintTapeToPdf/8192");
             if (!full || !quarter) {
                 return std::nullopt;
             }
             // Per line, the full tape may cost at most 1.5x what a quarter of it costs.
             const double perLineRatio = (*full / 32766) / (*quarter / 8192);
             return std::pair{Format("%.0f ms, %.2fx per line vs 8,192", *full, perLineRatio),
                              *full < 3000 && perLineRatio <= 1.5};
         }},
    };
}

} // namespace

bool PrintBudgets(const BudgetReporter& figures, std::ostream& out) {
    bool allMet = true;
    out << "\nBudgets\n";
    for (const Budget& budget : Budgets()) {
        const auto verdict = budget.judge(figures);
        if (!verdict) {
            allMet = false;
            out << "  " << budget.what << ": not measured in this run\n";
            continue;
        }
        allMet = allMet && verdict->second;
        out << "  " << budget.what << ": " << verdict->first << "  "
            << (verdict->second ? "met" : "MISSED") << '\n';
    }
    return allMet;
}

} // namespace sumwise::bench
