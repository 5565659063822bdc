// Main of the benchmarks over Qt widgets: one QApplication for the whole run,
// on the offscreen platform unless the caller chose another, in the style the
// widget tests use.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStyleFactory>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
