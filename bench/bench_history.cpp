// One editing step on a session of 100,000 events, as the main window records it: copy the
// session before the command, make the change, compare, keep the step; then undo and redo it.
// Reports the events each step keeps.

#include "model/EditHistory.h"
#include "model/Session.h"
#include "model/SessionState.h"

#include <benchmark/benchmark.h>

namespace umbrascope {

namespace {

Session FilledSession(std::int32_t events) {
    Session session;
    for (std::int32_t i = 0; i < events; ++i)
        session.Events.push_back(
            {"Аудиосопровождение -> Громкость", i * 10, std::to_string(i % 100)});
    return session;
}

void BM_RecordAddedEvent(benchmark::State& state) {
    Session session = FilledSession(static_cast<std::int32_t>(state.range(0)));
    EditHistory history;
    std::size_t kept = 0;
    for (auto _ : state) {
        const Session before = session;
        InsertEvent(session.Events, {"Текстовые фразы -> Включить", 500000, ""});
        const auto change = SessionChange::Between(before, session);
        kept = change.StoredEvents();
        history.Record(UserText::Verbatim("Добавить событие"), change);
        history.Undo(session);
    }
    state.counters["kept events"] = static_cast<double>(kept);
}
BENCHMARK(BM_RecordAddedEvent)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RecordRescale(benchmark::State& state) {
    Session session = FilledSession(static_cast<std::int32_t>(state.range(0)));
    EditHistory history;
    std::size_t kept = 0;
    for (auto _ : state) {
        const Session before = session;
        RescaleEventTimes(session.Events, session.SessionLength, session.SessionLength * 2);
        session.SessionLength *= 2;
        const auto change = SessionChange::Between(before, session);
        kept = change.StoredEvents();
        history.Record(UserText::Verbatim("Основные параметры"), change);
        history.Undo(session);
    }
    state.counters["kept events"] = static_cast<double>(kept);
}
BENCHMARK(BM_RecordRescale)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_HundredStepsMemory(benchmark::State& state) {
    for (auto _ : state) {
        Session session = FilledSession(100000);
        EditHistory history;
        for (int step = 0; step < 100; ++step) {
            const Session before = session;
            session.Events[static_cast<std::size_t>(step) * 997].EventValue = std::to_string(step);
            history.Record(UserText::Verbatim("Вывести список событий"),
                           SessionChange::Between(before, session));
        }
        benchmark::DoNotOptimize(history.Steps());
    }
}
BENCHMARK(BM_HundredStepsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

BENCHMARK_MAIN();
