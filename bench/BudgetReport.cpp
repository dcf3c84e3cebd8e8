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

using Verdict = std::optional<std::pair<std::string, bool>>;

// A key press must not grow with the tape: the long tape may cost at most this much more.
constexpr double kFlatRatio = 1.5;

// A key press at the cap: under a limit, and flat against the short tape. At the cap a press
// also drops the oldest line and adds it to the dropped totals, a fixed step the short tape
// never takes; where the press costs well under a microsecond, that step alone moves the
// ratio past kFlatRatio. So a long tape may also cost up to `slackMs` more: far less than
// anything that walked the tape's 32,766 lines would add.
Budget FlatKeyPress(std::string what, std::string benchmark, double limitMs, double slackMs) {
    return {std::move(what), [benchmark, limitMs, slackMs](const BudgetReporter& r) -> Verdict {
                const auto full = Ms(r, benchmark + "/32766");
                const auto small = Ms(r, benchmark + "/1000");
                if (!full || !small) {
                    return std::nullopt;
                }
                const bool flat = *full / *small <= kFlatRatio || *full - *small <= slackMs;
                return std::pair{Format("%.5f ms, %.2fx 1,000 lines", *full, *full / *small),
                                 *full < limitMs && flat};
            }};
}

// A start-up figure and its ratio to the bare window, both counters of one benchmark.
Budget AgainstBareWindow(std::string what, const char* format, std::string value,
                         std::string ratio) {
    return {std::move(what), [format, value, ratio](const BudgetReporter& r) -> Verdict {
                const std::string name =
                    "StartUpAgainstBareWindow/iterations:" + std::to_string(kStartUpRuns) +
                    "/manual_time";
                const auto figure = Counter(r, name, value);
                const auto times = Counter(r, name, ratio);
                if (!figure || !times) {
                    return std::nullopt;
                }
                return std::pair{Format(format, *figure, *times), *times <= 1.2};
            }};
}

std::vector<Budget> Budgets() {
    return {
        {"RecalculateTape, 32,766 lines: <= 2x floor, < 10 ms",
         [](const BudgetReporter& r) -> Verdict {
             const auto ms = Ms(r, "RecalculateFullTape");
             const auto floor = Ms(r, "FormatAndReadFloor");
             if (!ms || !floor) {
                 return std::nullopt;
             }
             return std::pair{Format("%.2f ms, %.2fx floor", *ms, *ms / *floor),
                              *ms <= 2 * *floor && *ms < 10};
         }},
        FlatKeyPress("Key press, core, at the cap: < 0.05 ms, flat (or < 1 us more)",
                     "KeyPressOnTape", 0.05, 0.001),
        FlatKeyPress("Key press, through the view, at the cap: < 0.5 ms, flat",
                     "KeyPressThroughView", 0.5, 0.0),
        {"Key press at the cap with the tape journal: < 0.05 ms more than without",
         [](const BudgetReporter& r) -> Verdict {
             const auto with = Ms(r, "KeyPressAtTheCap/1");
             const auto without = Ms(r, "KeyPressAtTheCap/0");
             if (!with || !without) {
                 return std::nullopt;
             }
             return std::pair{Format("%.4f ms, %.4f ms without", *with, *without),
                              *with - *without < 0.05};
         }},
        {"Save and open a 32,766-line tape: each < 100 ms",
         [](const BudgetReporter& r) -> Verdict {
             const auto save = Ms(r, "SaveFullTape");
             const auto open = Ms(r, "OpenFullTape");
             if (!save || !open) {
                 return std::nullopt;
             }
             return std::pair{Format("save %.1f ms, ", *save) + Format("open %.1f ms", *open),
                              *save < 100 && *open < 100};
         }},
        AgainstBareWindow("Start-up to the first frame: <= 1.2x bare Qt window (medians)",
                          "%.1f ms, %.2fx", "median_ms", "time_ratio"),
        AgainstBareWindow("Peak memory at start-up: <= 1.2x bare Qt window", "%.1f MiB, %.2fx",
                          "peak_MiB", "peak_ratio"),
        {"Print 32,766 lines to PDF: < 3 s, linear",
         [](const BudgetReporter& r) -> Verdict {
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
        {"Settings file + 10 MB of empty lines, start and exit: < 1 s, < 100 MiB extra",
         [](const BudgetReporter& r) -> Verdict {
             const std::string name = "HugeSettingsFileStartAndExit/iterations:3";
             const auto ms = Ms(r, name);
             const auto extra = Counter(r, name, "extra_MiB");
             const auto baseline = Counter(r, name, "default_file_ms");
             if (!ms || !extra || !baseline) {
                 return std::nullopt;
             }
             return std::pair{Format("%.0f ms (default file %.1f ms), ", *ms, *baseline) +
                                  Format("%.1f MiB extra", *extra),
                              *ms < 1000 && *extra < 100};
         }},
        {"Keeping a 32,766-line tape in the history on L: < 20 ms more than without",
         [](const BudgetReporter& r) -> Verdict {
             const auto with = Ms(r, "ClearFullTape/1/iterations:20");
             const auto without = Ms(r, "ClearFullTape/0/iterations:20");
             if (!with || !without) {
                 return std::nullopt;
             }
             return std::pair{Format("%.1f ms, %.1f ms without", *with, *without),
                              *with - *without < 20};
         }},
        {"History window on 1,000 kept tapes opens: < 200 ms",
         [](const BudgetReporter& r) -> Verdict {
             const auto ms = Ms(r, "HistoryWindowOpens/iterations:5");
             if (!ms) {
                 return std::nullopt;
             }
             return std::pair{Format("%.0f ms", *ms), *ms < 200};
         }},
        {"Search of 1,000 tapes of 1,000 lines: < 100 ms, also typed as the window opens",
         [](const BudgetReporter& r) -> Verdict {
             const auto later = Ms(r, "SearchThousandTapes/1/iterations:5");
             const auto atOnce = Ms(r, "SearchThousandTapes/0/iterations:5");
             if (!later || !atOnce) {
                 return std::nullopt;
             }
             return std::pair{Format("%.2f ms; typed as it opens %.0f ms", *later, *atOnce),
                              *later < 100 && *atOnce < 100};
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
