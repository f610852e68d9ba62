#pragma once

// What several benchmark programs share.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <sys/resource.h>

namespace umbrascope {

// Processor time the whole process has used so far, user and system, in seconds.
inline double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the benchmarks the command line chooses with a Qt application for the fonts, offscreen
// unless QT_QPA_PLATFORM says otherwise.
inline int RunWithGuiApplication(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace umbrascope
