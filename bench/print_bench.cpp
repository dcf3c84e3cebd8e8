// Printing a tape to PDF: a full tape against shorter ones, to see the time grow linearly.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "QuietPlatform.h"
#include "qt/services/PrinterSurface.h"
#include "tape/Tape.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace {

// No printer: every print job is saved as a PDF in one folder, as the print key does.
class PdfOnly : public sumwise::bench::QuietPlatform {
public:
    explicit PdfOnly(QString folder) : folder_(std::move(folder)) {}
    std::unique_ptr<sumwise::PageSurface> OpenPdf() override {
        return sumwise::qt::OpenPdfSurface(QPageSize::Letter);
    }
    std::string DocumentsFolder() override { return folder_.toStdString(); }

private:
    QString folder_;
};

void PrintTapeToPdf(benchmark::State& state) {
    sumwise::Tape tape;
    for (int64_t i = 0; i < state.range(0); ++i) {
        tape.AddTapeLine(i % 4 == 3 ? std::string(sumwise::kEnDash) + " 12.50"
                                    : "+ " + std::to_string(i) + ".00");
    }
    QTemporaryDir dir;
    PdfOnly platform(dir.path());
    sumwise::DiskFileOps files;
    for (auto _ : state) {
        sumwise::PrintTape(tape, platform, files);
    }
    state.counters["lines"] = static_cast<double>(state.range(0));
}
BENCHMARK(PrintTapeToPdf)->Arg(8192)->Arg(16384)->Arg(32766)->Unit(benchmark::kMillisecond);

} // namespace
