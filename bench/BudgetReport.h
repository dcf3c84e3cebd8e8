#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace sumwise::bench {

// Starts of each program in the start-up benchmark: the medians of this many stay within a
// few hundredths of each other from run to run.
inline constexpr int kStartUpRuns = 60;

// The console table, keeping each benchmark's time (in milliseconds) and counters so the
// budgets can be judged against the baselines of the same run.
class BudgetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    struct Figure {
        double ms = 0;
        std::map<std::string, double> counters;
    };
    // nullptr when the benchmark did not run (filtered out or failed).
    const Figure* Find(const std::string& name) const;

private:
    std::map<std::string, Figure> figures_;
};

// One budget line per figure, "met" or "MISSED"; false when any was missed or could not be
// judged for a missing figure.
bool PrintBudgets(const BudgetReporter& figures, std::ostream& out);

} // namespace sumwise::bench
