#pragma once

#include "bench_fixture.h"

#include "editor/editing/undo_command.h"

#include <benchmark/benchmark.h>

#include <cstddef>

namespace bench {

// The registration of a benchmark that puts the geoset back before every run: most of its wall
// time is spent outside the timed region, so a fixed number of runs keeps the whole run short.
inline void commandRuns(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(100);
}

// Times one command per iteration on a fresh copy of the geoset (everything selected, empty
// history): the reset and prepare run outside the timed region, only command is timed.
template <typename Prepare, typename Command>
void timeCommand(benchmark::State& s, OpenedLargeModel& model, Prepare prepare, Command command) {
    for (auto _ : s) {
        s.PauseTiming();
        model.reset();
        prepare(model.state());
        s.ResumeTiming();
        command(model.state());
    }
    model.reset();
}

template <typename Command>
void timeCommand(benchmark::State& s, OpenedLargeModel& model, Command command) {
    timeCommand(
        s, model, [](editor::EditorState&) {}, command);
}

// For commands that change only selection flags (or nothing): the arrays are not copied back
// between iterations, only the history and messages are emptied and prepare runs, untimed.
template <typename Prepare, typename Command>
void timeInPlace(benchmark::State& s, OpenedLargeModel& model, Prepare prepare, Command command) {
    model.reset();
    for (auto _ : s) {
        s.PauseTiming();
        editor::clearUndoHistory(model.state());
        model.dialogs().shown.clear();
        prepare(model.state());
        s.ResumeTiming();
        command(model.state());
    }
    model.reset();
}

template <typename Command>
void timeInPlace(benchmark::State& s, OpenedLargeModel& model, Command command) {
    timeInPlace(
        s, model, [](editor::EditorState&) {}, command);
}

// Times Undo of the step that record leaves newest in the history; recording it is not timed.
template <typename Record>
void timeUndo(benchmark::State& s, OpenedLargeModel& model, Record record) {
    timeCommand(s, model, record, [](editor::EditorState& state) { editor::undoLast(state); });
}

// Times Redo of the step that record leaves newest, undone beforehand; neither is timed.
template <typename Record>
void timeRedo(benchmark::State& s, OpenedLargeModel& model, Record record) {
    timeCommand(
        s, model,
        [&record](editor::EditorState& state) {
            record(state);
            editor::undoLast(state);
        },
        [](editor::EditorState& state) { editor::redoLast(state); });
}

// Runs prepare and command once, untimed, and fails the benchmark unless the geoset then holds
// the given counts (so a refused clone or extrude is not timed as a fast one). True when it does.
template <typename Prepare, typename Command>
bool commandReaches(benchmark::State& s, OpenedLargeModel& model, Prepare prepare, Command command,
                    std::size_t vertices, std::size_t faces) {
    model.reset();
    prepare(model.state());
    command(model.state());
    const bool reached =
        model.state().vertices.size() == vertices && model.state().faces.size() == faces;
    model.reset();
    if (!reached)
        s.SkipWithError("the command was refused or left other counts");
    return reached;
}

} // namespace bench
