// Loading the atlas (its cities, and the names in other languages read on a second thread: the CPU time
// counts both threads), and queries of a few typical kinds, in other languages too. Goals: a load under
// 200 ms, a query under 2 ms.

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "atlas/atlas.h"

namespace kalvora {
namespace {

void LoadTheAtlas(benchmark::State& state) {
    for (auto _ : state) {
        Atlas atlas = LoadAtlas();
        benchmark::DoNotOptimize(atlas);
    }
    state.SetLabel("goal < 200 ms");
}
BENCHMARK(LoadTheAtlas)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

constexpr auto Queries = std::to_array<std::string_view>({
    "Mumbai", "bombay", "Sao Paulo", "Springfield, Illinois", "London, England, UK", "Han", "Zürich", "new y",
    "München", "दिल्", "சென்னை", "Wien",
});

void SearchThePlaces(benchmark::State& state) {
    const Atlas atlas = LoadAtlas();
    const std::string_view query = Queries[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) benchmark::DoNotOptimize(SearchPlaces(atlas, query, 10));
    state.SetLabel(std::string(query) + " (goal < 2 ms)");
}
BENCHMARK(SearchThePlaces)->DenseRange(0, static_cast<int>(Queries.size()) - 1)->Unit(benchmark::kMicrosecond);

void SuggestNearestNames(benchmark::State& state) {
    const Atlas atlas = LoadAtlas();
    for (auto _ : state) benchmark::DoNotOptimize(NearestNames(atlas, "Kolkatta", 3));
}
BENCHMARK(SuggestNearestNames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvora
