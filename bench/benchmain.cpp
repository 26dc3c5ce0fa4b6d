// Shared main of the benchmarks: the windows need an application, and by
// default no screen (QT_QPA_PLATFORM=xcb under Xvfb measures a real one).
#include <QApplication>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillhaven"));
    QApplication::setOrganizationName(QStringLiteral("Quillhaven"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
