// The main() of the benchmarks that draw on the Qt canvas: the canvas needs
// a Qt application for its fonts; no window is shown.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
