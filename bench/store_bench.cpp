// Micro-benchmarks of the settings store's queries on a full store.
#include <benchmark/benchmark.h>

#include <string>

#include "toolkit/settings_store.h"

namespace kestrane {
namespace {

// 100 cycles of 96 maps and a few settings each: 10000 entries in all.
std::string fullStoreFile() {
    std::string file = "$()cycles = c0\n";
    for (int c = 1; c < 100; ++c) file += "c" + std::to_string(c) + "\n";
    for (int c = 0; c < 100; ++c) {
        file += "{c" + std::to_string(c) + "\n$init_command = x;\n%timelimit = 10\n$()maps = m0;10\n";
        for (int m = 1; m < 96; ++m) file += "m" + std::to_string(m) + ";10;20\n";
        file += "}\n";
    }
    return file;
}

SettingsStore& fullStore() {
    static SettingsStore store;
    static bool filled = false;
    if (!filled) {
        store.readText(fullStoreFile());
        filled = true;
    }
    return store;
}

void BM_ReadText(benchmark::State& state) {
    const std::string file = fullStoreFile();
    SettingsStore store;
    for (auto _ : state) {
        store.readText(file);
        benchmark::DoNotOptimize(store.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadText);

void BM_GetTextOfListItem(benchmark::State& state) {
    SettingsStore& store = fullStore();
    store.selectSection("c57");
    int index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.getText("maps", index));
        index = (index + 1) % 96;
    }
    store.selectSection("");
}
BENCHMARK(BM_GetTextOfListItem);

void BM_GetNumber(benchmark::State& state) {
    SettingsStore& store = fullStore();
    store.selectSection("c3");
    for (auto _ : state) benchmark::DoNotOptimize(store.getNumber("timelimit"));
    store.selectSection("");
}
BENCHMARK(BM_GetNumber);

void BM_GetTextAbsent(benchmark::State& state) {
    SettingsStore& store = fullStore();
    for (auto _ : state) benchmark::DoNotOptimize(store.getText("no such key"));
}
BENCHMARK(BM_GetTextAbsent);

void BM_CountIndexedOfACycle(benchmark::State& state) {
    SettingsStore& store = fullStore();
    store.selectSection("c99");
    for (auto _ : state) benchmark::DoNotOptimize(store.countIndexed("maps"));
    store.selectSection("");
}
BENCHMARK(BM_CountIndexedOfACycle);

}  // namespace
}  // namespace kestrane

BENCHMARK_MAIN();
