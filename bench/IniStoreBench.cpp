// Writing and reading the INI store's own list of triples, 1,000 and 10,000
// entries long, through the store and the runtime's INI file code.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "framework/settings/IniStore.h"

namespace {

namespace fs = std::filesystem;

// A folder of the benchmark's own under the system's temporary folder.
class BenchFolder {
 public:
  BenchFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("quibra-bench-" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

void FillSectors(quibra::IniStore::SectorList& list, int64_t count) {
  for (int64_t i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    list.buffer.FAMILY = "Family " + n;
    list.buffer.ITEM = "Item number " + n;
    list.buffer.TYPE = "Type " + std::to_string(i % 7);
    list.Add();
  }
}

// Lays the file out by hand, as Finalize writes it: writing it through the
// store takes minutes at 10,000 triples and is measured on its own.
void LayOutSectorsFile(const std::string& file, int64_t count) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "[__Dont_Touch_Me__]\r\nSectors=" << count << "\r\n";
  for (int64_t i = 1; i <= count; ++i)
    out << "Sectors_" << i << "=Family " << i << ",Item number " << i << ",Type " << i % 7 << "\r\n";
}

// Finalize of a store holding N triples, into a file that has none yet.
void BM_WriteSectors(benchmark::State& state) {
  BenchFolder folder;
  const std::string file = folder.File("Bench.INI");
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(file);
    quibra::IniStore store;
    store.Initialize(file);
    FillSectors(*store.SECTORS, state.range(0));
    state.ResumeTiming();
    store.Finalize();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Initialize of a store whose file holds N triples.
void BM_ReadSectors(benchmark::State& state) {
  BenchFolder folder;
  const std::string file = folder.File("Bench.INI");
  LayOutSectorsFile(file, state.range(0));
  for (auto _ : state) {
    quibra::IniStore store;
    store.Initialize(file);
    if (store.SECTORS->Records() != state.range(0)) state.SkipWithError("the list did not read back whole");
    benchmark::DoNotOptimize(store.SECTORS->Records());
    state.PauseTiming();
    store.SECTORS.reset();  // dropped without writing it back
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The program's usual end: Finalize of the N triples that Initialize read, so
// every value is already in the file and nothing is rewritten.
void BM_WriteUnchangedSectors(benchmark::State& state) {
  BenchFolder folder;
  const std::string file = folder.File("Bench.INI");
  LayOutSectorsFile(file, state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    quibra::IniStore store;
    store.Initialize(file);
    state.ResumeTiming();
    store.Finalize();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Initialize of a store whose file holds N triples that were written a moment
// before: by this process (how) = 0, or by another program that dated the
// file an hour ahead (how) = 1. Neither may cost a read of the file per entry.
void BM_ReadSectorsJustWritten(benchmark::State& state) {
  BenchFolder folder;
  const std::string file = folder.File("Bench.INI");
  for (auto _ : state) {
    state.PauseTiming();
    if (state.range(1) == 0) {
      fs::remove(file);
      quibra::IniStore writer;
      writer.Initialize(file);
      FillSectors(*writer.SECTORS, state.range(0));
      writer.Finalize();
    } else {
      LayOutSectorsFile(file, state.range(0));
      fs::last_write_time(file, fs::file_time_type::clock::now() + std::chrono::hours(1));
    }
    state.ResumeTiming();
    quibra::IniStore store;
    store.Initialize(file);
    if (store.SECTORS->Records() != state.range(0)) state.SkipWithError("the list did not read back whole");
    state.PauseTiming();
    store.SECTORS.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ReadSectorsJustWritten)
    ->ArgNames({"entries", "how"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_WriteSectors)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteUnchangedSectors)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSectors)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
