// Reading and writing a points file of 1,000,000 points, next to the floors: the same bytes
// read into memory, and the same number of bytes written (plainly, and replaced safely). The
// same file saved as UTF-16, as Windows tools save "Unicode" text, is read as well.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "IO/File.hpp"
#include "IO/FileSystem.hpp"
#include "exchange/points_file.hpp"

namespace {

constexpr int PointCount = 1'000'000;
constexpr GS::USize BlockSize = 1 << 20;

// The file's ASCII text as UTF-16 LE with its byte-order mark.
void WriteUtf16(const IO::Location& path, const std::string& ascii) {
    std::string utf16 = "\xFF\xFE";
    utf16.reserve(2 + 2 * ascii.size());
    for (const char c : ascii) utf16 += {c, '\0'};
    IO::File out(path, IO::File::Create);
    out.Open(IO::File::WriteEmptyMode);
    for (std::size_t at = 0; at < utf16.size(); at += BlockSize) {
        out.WriteBin(utf16.data() + at,
                     GS::USize(std::min<std::size_t>(BlockSize, utf16.size() - at)));
    }
}

struct BenchData {
    std::string folder;
    IO::Location file;
    IO::Location scratch;
    IO::Location utf16File;
    std::vector<PointRecord> measured;
    std::vector<PointRecord> design;
    std::string bytes;

    BenchData() {
        std::string pattern = (std::filesystem::temp_directory_path() / "points-bench-XXXXXX");
        folder = ::mkdtemp(pattern.data());
        file = IO::Location(GS::UniString((folder + "/points.txt").c_str(), GS::CC_UTF8));
        scratch = IO::Location(GS::UniString((folder + "/scratch.txt").c_str(), GS::CC_UTF8));
        // Site coordinates to the micrometre, as a model holds them.
        std::mt19937_64 random(1);
        std::uniform_int_distribution<long long> planMicrometres(0, 300'000'000'000LL);
        std::uniform_int_distribution<long long> heightMicrometres(-50'000'000, 500'000'000);
        for (int i = 0; i < PointCount; ++i) {
            std::vector<PointRecord>& list = i % 10 == 0 ? design : measured;
            list.push_back({i + 1, planMicrometres(random) / 1e6, planMicrometres(random) / 1e6,
                            heightMicrometres(random) / 1e6});
        }
        WritePointsFile(file, measured, design);
        IO::File in(file);
        in.Open(IO::File::ReadMode);
        UInt64 length = 0;
        in.GetDataLength(&length);
        bytes.resize(length);
        in.ReadBin(bytes.data(), GS::USize(length));
        utf16File = IO::Location(GS::UniString((folder + "/utf16.txt").c_str(), GS::CC_UTF8));
        WriteUtf16(utf16File, bytes);
    }
    ~BenchData() { std::filesystem::remove_all(folder); }
};

const BenchData& Data() {
    static const BenchData data;
    return data;
}

void ReadFloor(benchmark::State& state) {
    const BenchData& data = Data();
    auto buffer = std::make_unique_for_overwrite<char[]>(BlockSize);
    for (auto _ : state) {
        IO::File in(data.file);
        in.Open(IO::File::ReadMode);
        GS::USize read = 0;
        while (in.ReadBin(buffer.get(), BlockSize, &read) == NoError && read > 0) {
            benchmark::DoNotOptimize(buffer.get());
        }
    }
    state.SetBytesProcessed(state.iterations() * Int64(data.bytes.size()));
}

// Bytes per second of the text read, also from the UTF-16 file that holds it in twice the bytes.
void ReadPoints(benchmark::State& state, IO::Location BenchData::*file) {
    const BenchData& data = Data();
    for (auto _ : state) {
        PointLists lists = ReadPointsFile(data.*file);
        benchmark::DoNotOptimize(lists.measured.data());
    }
    state.SetBytesProcessed(state.iterations() * Int64(data.bytes.size()));
}

// What the import does: read, then convert every line.
void ReadAndConvertPoints(benchmark::State& state) {
    const BenchData& data = Data();
    for (auto _ : state) {
        const PointLists lists = ReadPointsFile(data.file);
        double sum = 0;
        for (const auto* list : {&lists.measured, &lists.design}) {
            for (const PointLine& line : *list) sum += ToPointRecord(line)->x;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * Int64(data.bytes.size()));
}

void WriteFloorPlain(benchmark::State& state) {
    const BenchData& data = Data();
    for (auto _ : state) {
        IO::File out(data.scratch, IO::File::Create);
        out.Open(IO::File::WriteEmptyMode);
        for (std::size_t at = 0; at < data.bytes.size(); at += BlockSize) {
            out.WriteBin(data.bytes.data() + at,
                         GS::USize(std::min<std::size_t>(BlockSize, data.bytes.size() - at)));
        }
    }
    state.SetBytesProcessed(state.iterations() * Int64(data.bytes.size()));
}

void WriteFloorSafe(benchmark::State& state) {
    const BenchData& data = Data();
    for (auto _ : state) {
        IO::SafeFile out(data.scratch);
        out.Open();
        for (std::size_t at = 0; at < data.bytes.size(); at += BlockSize) {
            out.WriteBin(data.bytes.data() + at,
                         GS::USize(std::min<std::size_t>(BlockSize, data.bytes.size() - at)));
        }
        out.Commit();
    }
    state.SetBytesProcessed(state.iterations() * Int64(data.bytes.size()));
}

void WritePoints(benchmark::State& state) {
    const BenchData& data = Data();
    for (auto _ : state) {
        if (!WritePointsFile(data.scratch, data.measured, data.design)) state.SkipWithError("");
    }
    state.SetBytesProcessed(state.iterations() * Int64(data.bytes.size()));
}

BENCHMARK(ReadFloor)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadPoints, bytes, &BenchData::file)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadPoints, utf16, &BenchData::utf16File)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndConvertPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteFloorPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteFloorSafe)->Unit(benchmark::kMillisecond);
BENCHMARK(WritePoints)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
