// The host model at survey sizes: an import of N points as the add-on makes it (one undo step
// per created point, then the marker-style change of each point), the one commit of that
// command, opening the project again, lookups by GUID, and the undo of the import's newest step
// (the marker styles of all N points, set outside the "Create text" steps). Every cost should
// grow linearly with N (per-point time flat); a lookup stays constant.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "model/model.hpp"

namespace {

namespace fs = std::filesystem;

struct BenchFolder {
    fs::path path = fs::temp_directory_path() / ("planhost-bench-" + std::to_string(::getpid()));
    BenchFolder() {
        fs::create_directories(path / "library");
        std::ofstream(path / "library" / "Stakemark.gsm") << R"({"name": "Stakemark",
            "parameters": [{"name": "strMarkerStyle", "type": "text", "value": "Triangle"},
                           {"name": "strMarkerStyle3D", "type": "text", "value": "Pin"},
                           {"name": "rTextHeight", "type": "length", "value": 0.25}]})";
    }
    ~BenchFolder() { fs::remove_all(path); }

    planhost::ModelOptions Options(std::int64_t points) const {
        planhost::ModelOptions options;
        options.projectPath = (path / ("plan-" + std::to_string(points) + ".db")).string();
        options.libraryFolders = {(path / "library").string()};
        return options;
    }
};

const BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

// What an import of n measured points does to the model.
void ImportPoints(planhost::Model& model, std::int64_t n) {
    const planhost::LibraryPart* part = model.library().Find(1);
    planhost::ParameterList measured = part->parameters;
    measured[0].text = u"Cross in Circle";
    measured[1].text = u"Cone";
    planhost::SharedParameters defaults = model.ShareParameters(part->parameters);
    model.SetCommandTitle("Import points");
    for (std::int64_t i = 0; i < n; ++i) {
        planhost::ObjectElement element;
        element.libInd = part->index;
        element.x = double(i % 1000);
        element.y = double(i / 1000);
        element.hasMemo = true;
        element.id = std::u16string(u"") + char16_t(u'0' + i % 10);
        element.params = defaults;
        model.BeginUndoStep("Create text");
        model.Add(element);
        model.EndUndoStep(true);
        element.params = model.ShareParameters(measured);
        model.Replace(element);
    }
}

// The options of a project that holds an import of n points, made when missing.
planhost::ModelOptions ImportedProject(std::int64_t n) {
    planhost::ModelOptions options = Folder().Options(n);
    planhost::Model model(options);
    if (std::int64_t(model.Elements().size()) != n) {
        ImportPoints(model, n - std::int64_t(model.Elements().size()));
        model.Commit();
    }
    return options;
}

void BM_ImportAndCommit(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(Folder().Options(state.range(0)).projectPath);
        planhost::Model model(Folder().Options(state.range(0)));
        state.ResumeTiming();
        ImportPoints(model, state.range(0));
        model.Commit();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportAndCommit)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_OpenProject(benchmark::State& state) {
    planhost::ModelOptions options = ImportedProject(state.range(0));
    for (auto _ : state) {
        planhost::Model model(options);
        benchmark::DoNotOptimize(model.Elements().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenProject)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_FindByGuid(benchmark::State& state) {
    planhost::Model model(ImportedProject(state.range(0)));
    const auto& elements = model.Elements();
    std::mt19937 random(1);
    for (auto _ : state) {
        const API_Guid& guid = elements[random() % elements.size()].guid;
        benchmark::DoNotOptimize(model.Find(guid));
    }
}
BENCHMARK(BM_FindByGuid)->RangeMultiplier(10)->Range(10'000, 1'000'000);

void BM_UndoTheImportsMarkerStyles(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<planhost::Model>(ImportedProject(state.range(0)));
        state.ResumeTiming();
        benchmark::DoNotOptimize(model->Undo());
        model->Commit();
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoTheImportsMarkerStyles)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
