// Printing a tape to PDF: a full tape against shorter ones, to see the time grow linearly.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "qt/PrinterSurface.h"
#include "tape/Tape.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace {

class PdfOnly : public sumwise::Platform {
public:
    explicit PdfOnly(QString path) : path_(std::move(path)) {}
    sumwise::MsgAnswer MsgBox(const std::string&, const std::string&, sumwise::MsgIcon,
                              sumwise::MsgButtons) override {
        return sumwise::MsgAnswer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    void FocusKeySink() override {}
    void HideMainWindow() override {}
    void CloseMainWindow() override {}
    void ClipboardClear() override {}
    void ClipboardSetText(const std::string&) override {}
    std::string ClipboardText() override { return {}; }
    void OpenHelp() override {}
    void ShellOpen(const std::string&) override {}
    sumwise::DateTime Now() override { return {2026, 12, 8, 9, 30, 0}; }
    std::string LongDate(const sumwise::DateTime&) override { return "December 8, 2026"; }
    std::unique_ptr<sumwise::PageSurface> OpenPrinter() override {
        return sumwise::qt::OpenPdfSurface(path_);
    }
    void SetBusy(bool) override {}
    std::string Environ(const std::string&) override { return {}; }
    std::string ProgramFolder() override { return "/tmp"; }
    bool AppendToFile(const std::string&, const std::string&) override { return true; }

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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
