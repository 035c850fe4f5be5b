// Reading and saving the settings. Placing a point reads them twice, so an import of n points
// reads them 2n times.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "settings/settings_store.hpp"

namespace {

// A settings folder of its own for the run, with one saved file in it.
class BenchHome {
public:
    BenchHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "settings-bench-XXXXXX");
        folder_ = ::mkdtemp(pattern.data());
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
        ReadSettings();
        SetSymbolSize(GS::UniString("1"));
        SetStartNumber(GS::UniString("1"));
        SetLibrary(GS::UniString("2"));
        WriteSettings();
    }
    ~BenchHome() { std::filesystem::remove_all(folder_); }

private:
    std::string folder_;
};

void ReadSettingsFile(benchmark::State& state) {
    static BenchHome home;
    for (auto _ : state) {
        ReadSettings();
        benchmark::DoNotOptimize(GetLibrary());
    }
}

void WriteSettingsFile(benchmark::State& state) {
    static BenchHome home;
    for (auto _ : state) benchmark::DoNotOptimize(WriteSettings());
}

BENCHMARK(ReadSettingsFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteSettingsFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
