// One editing step on a session of 100,000 events, as the main window records it: copy the
// session before the command, make the change, compare, keep the step; then undo and redo it.
// Reports the events each step keeps.

#include "model/Common.h"
#include "model/EditHistory.h"
#include "model/SessionState.h"

#include <benchmark/benchmark.h>

namespace {

void FillSession(std::int32_t events) {
    ResetProject();
    for (std::int32_t i = 0; i < events; ++i)
        Events.push_back({"Аудиосопровождение -> Громкость", i * 10, std::to_string(i % 100)});
}

void BM_RecordAddedEvent(benchmark::State& state) {
    FillSession(static_cast<std::int32_t>(state.range(0)));
    EditHistory history;
    std::size_t kept = 0;
    for (auto _ : state) {
        const Session before = OpenSession();
        InsertEvent({"Текстовые фразы -> Включить", 500000, ""});
        const auto change = SessionChange::Between(before, OpenSession());
        kept = change.StoredEvents();
        history.Record("Добавить событие", change);
        history.Undo();
    }
    state.counters["kept events"] = static_cast<double>(kept);
}
BENCHMARK(BM_RecordAddedEvent)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RecordRescale(benchmark::State& state) {
    FillSession(static_cast<std::int32_t>(state.range(0)));
    EditHistory history;
    std::size_t kept = 0;
    for (auto _ : state) {
        const Session before = OpenSession();
        RescaleEventTimes(SessionLength, SessionLength * 2);
        SessionLength *= 2;
        const auto change = SessionChange::Between(before, OpenSession());
        kept = change.StoredEvents();
        history.Record("Основные параметры", change);
        history.Undo();
    }
    state.counters["kept events"] = static_cast<double>(kept);
}
BENCHMARK(BM_RecordRescale)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_HundredStepsMemory(benchmark::State& state) {
    for (auto _ : state) {
        FillSession(100000);
        EditHistory history;
        for (int step = 0; step < 100; ++step) {
            const Session before = OpenSession();
            Events[static_cast<std::size_t>(step) * 997].EventValue = std::to_string(step);
            history.Record("Вывести список событий", SessionChange::Between(before, OpenSession()));
        }
        benchmark::DoNotOptimize(history.Steps());
    }
}
BENCHMARK(BM_HundredStepsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
