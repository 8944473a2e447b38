// What the engine's work costs, measured against the physical floor: one
// plain 512 x 384 surface copy, the least a frame can cost.
//
// Run: build/bin/engine_bench   (the ratio table follows Google Benchmark's own)
#include "engine.h"
#include "image_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

const Surface& sheet() {
    static Surface s = [] {
        Surface loaded(PlayfieldWidth, PlayfieldHeight);
        loadSurface(SpriteSheetResource, loaded);
        return loaded;
    }();
    return s;
}

std::unique_ptr<Game> startedGame() {
    auto game = std::make_unique<Game>();
    game->FormCreate(sheet());
    return game;
}

// The busy state: room 6 of the built-in set (six enemies, nineteen apples)
// with 24 more enemies walking its floors, 11 bombs ticking, 48 fragments in
// flight, 24 holes in every phase and 24 bonus numbers on screen. The
// objects are put back before every tick, so every measured tick is as busy.
void makeBusy(Game& g) {
    for (int i = 6; i < 30; ++i) {
        g.EnemyTable.state[i] = static_cast<std::int8_t>(1 + i % 2);
        g.EnemyTable.x[i] = 32 + 32 * (i % 14);
        g.EnemyTable.y[i] = 32 * (i % 10);
        g.EnemyTable.hdir[i] = 16;
        g.EnemyTable.vdir[i] = 0;
        g.EnemyTable.frame[i] = 3;
    }
    for (int i = 0; i < 11; ++i) {
        g.BombTable.timer[i] = static_cast<std::int8_t>(1 + i % 10);
        g.BombTable.x[i] = 64 + 32 * i;
        g.BombTable.y[i] = 96;
    }
    for (int i = 0; i < 48; ++i) {
        g.FragmentTable.active[i] = 1;
        g.FragmentTable.x[i] = 40 + 9 * i;
        g.FragmentTable.y[i] = 40 + 6 * (i % 40);
        g.FragmentTable.dx[i] = (i % 3 - 1) * 6;
        g.FragmentTable.dy[i] = -8;
    }
    for (int i = 0; i < 24; ++i) {
        g.HoleTable.phase[i] = static_cast<std::int8_t>(1 + (i * 2) % 50);
        g.HoleTable.x[i] = 32 + 32 * (i % 14);
        g.HoleTable.y[i] = 32 * (i % 11);
    }
    for (int i = 0; i < 24; ++i) {
        g.PopupTable.value[i] = static_cast<std::uint8_t>(1 + i % 8);
        g.PopupTable.timer[i] = 0;
        g.PopupTable.x[i] = 32 + 16 * i;
        g.PopupTable.y[i] = 100 + 4 * i;
    }
    g.GameState = StatePlay;
    g.DyingCounter = 0;
}

void BM_FloorCopy(benchmark::State& state) {
    Surface a(PlayfieldWidth, PlayfieldHeight), b(PlayfieldWidth, PlayfieldHeight);
    for (auto _ : state) {
        a.blit(0, 0, PlayfieldWidth, PlayfieldHeight, b, 0, 0, Rop::Copy);
        benchmark::DoNotOptimize(a.data());
    }
}

void BM_BusyPlayTick(benchmark::State& state) {
    auto game = startedGame();
    game->startGame(5);
    for (auto _ : state) {
        makeBusy(*game);
        game->Timer1Timer();
        benchmark::DoNotOptimize(game->Image1.data());
    }
}

void BM_TitleTick(benchmark::State& state) {
    auto game = startedGame();
    for (auto _ : state) game->Timer1Timer();
}

void BM_ClearWaitTick(benchmark::State& state) {
    auto game = startedGame();
    game->startGame(0);
    game->GameState = StateClearWait;
    for (auto _ : state) game->Timer1Timer();
}

void BM_Putsta(benchmark::State& state) {
    auto game = startedGame();
    game->startGame(5);
    for (auto _ : state) {
        game->Putsta();
        benchmark::DoNotOptimize(game->Image1.data());
    }
}

void BM_Dasu(benchmark::State& state) {
    auto game = startedGame();
    for (auto _ : state) {
        game->Dasu();
        benchmark::DoNotOptimize(game->Image1.data());
    }
}

BENCHMARK(BM_FloorCopy);
BENCHMARK(BM_BusyPlayTick);
BENCHMARK(BM_TitleTick);
BENCHMARK(BM_ClearWaitTick);
BENCHMARK(BM_Putsta);
BENCHMARK(BM_Dasu);

// Keeps each benchmark's time per iteration for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.benchmark_name()] = run.real_accumulated_time / run.iterations;
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto floor = reporter.seconds.find("BM_FloorCopy");
    if (floor == reporter.seconds.end() || floor->second <= 0) return 0;
    std::printf("\n%-20s %12s %10s\n", "benchmark", "time (us)", "x floor");
    for (const auto& [name, s] : reporter.seconds)
        std::printf("%-20s %12.3f %10.3f\n", name.c_str(), s * 1e6, s / floor->second);
    std::printf("Budget: a busy play tick at most 3 floor copies, Putsta at most 5.\n");
    return 0;
}
