// One run, one table: every benchmark and then every budget judged against the baselines
// measured in the same run.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <iostream>

#include "BudgetReport.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime; // Qt wants a private runtime folder; the started programs share it
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    sumwise::bench::BudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return sumwise::bench::PrintBudgets(reporter, std::cout) ? 0 : 1;
}
