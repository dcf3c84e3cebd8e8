// A key press through the whole window: the core, the tape model and the list view, laid out
// and painted offscreen. It must cost the same on a short tape and at the tape's cap.
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <benchmark/benchmark.h>

#include "QuietPlatform.h"
#include "qt/window/MainWindow.h"

namespace {

// Counts the tape's paints, to show every press was drawn.
class PaintCounter : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

void KeyPressThroughView(benchmark::State& state) {
    sumwise::bench::QuietPlatform platform;
    sumwise::qt::MainWindow window(platform);
    window.show();
    QCoreApplication::processEvents();
    sumwise::CalcForm& form = window.form();
    const auto lines = static_cast<std::size_t>(state.range(0));
    for (std::size_t i = 0; i < lines; ++i) {
        form.lstTape().AddTapeLine("+ 1.00");
    }
    window.execute({sumwise::Command::Digit, 7}); // also brings the journal up to the tape
    QCoreApplication::processEvents();

    auto* view = window.findChild<QAbstractItemView*>("lstTape");
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    const sumwise::KeyCommand plus{sumwise::Command::Operator, 1}; // repeats 7: one line more
    for (auto _ : state) {
        window.execute(plus);
        QCoreApplication::processEvents(); // lays the view out and paints it
        if (form.lstTape().Count() > lines + 500) {
            state.PauseTiming(); // keep a short tape short, in one model reset
            form.lstTape().Clear();
            for (std::size_t i = 0; i < lines; ++i) {
                form.lstTape().AddTapeLine("+ 1.00");
            }
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.counters["lines"] = static_cast<double>(form.lstTape().Count());
    state.counters["paints"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(KeyPressThroughView)->Arg(1000)->Arg(32766)->Unit(benchmark::kMicrosecond);

} // namespace
