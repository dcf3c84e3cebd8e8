// Printing a tape to PDF: a full tape against shorter ones, to see the time grow linearly.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "QuietPlatform.h"
#include "qt/PrinterSurface.h"
#include "tape/Tape.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace {

// Every print job goes to one PDF file.
class PdfOnly : public sumwise::bench::QuietPlatform {
public:
    explicit PdfOnly(QString path) : path_(std::move(path)) {}
    std::unique_ptr<sumwise::PageSurface> OpenPrinter() override {
        return sumwise::qt::OpenPdfSurface(path_, QPageSize::Letter);
    }

private:
    QString path_;
};

void PrintTapeToPdf(benchmark::State& state) {
    sumwise::Tape tape;
    for (int64_t i = 0; i < state.range(0); ++i) {
        tape.AddTapeLine(i % 4 == 3 ? std::string(sumwise::kEnDash) + " 12.50"
                                    : "+ " + std::to_string(i) + ".00");
    }
    QTemporaryDir dir;
    PdfOnly platform(dir.filePath("tape.pdf"));
    for (auto _ : state) {
        sumwise::PrintTape(tape, platform);
    }
    state.counters["lines"] = static_cast<double>(state.range(0));
}
BENCHMARK(PrintTapeToPdf)->Arg(8192)->Arg(16384)->Arg(32766)->Unit(benchmark::kMillisecond);

} // namespace
