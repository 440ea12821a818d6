// Noting file uses with 10,000 entries in the use list: the registry keeps
// its list in order as entries are added, against the first design that
// appended each entry and sorted the whole list before every lookup.
//
// A run is 100 procedures each using 100 files (10,000 uses, each opening a
// scope); "lookups" then notes 10,000 further uses on the full list, which
// only look entries up and find the scope they belong to.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/error/ErrorManager.h"
#include "framework/file/FileAccessManager.h"
#include "framework/file/FileUseRegistry.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"

namespace {

using quibra::FileUseEntry;
using quibra::FileUseRegistry;

constexpr int kFiles = 100;
constexpr int kProcedures = 100;

struct World {
  World() {
    errors.Setup();
    for (int i = 0; i < kFiles; ++i) {
      files.push_back(
          std::make_unique<rt::File>("ASCII", "bench" + std::to_string(i) + ".txt", std::vector<rt::FileField>{}));
      managers.push_back(std::make_unique<quibra::FileAccessManager>());
      managers.back()->DATAFILE = files.back().get();
      managers.back()->ERRORHANDLER = &errors;
    }
    for (int p = 0; p < kProcedures; ++p) procedures.push_back("Procedure" + std::to_string(p));
  }
  ~World() { errors.Shutdown(); }

  quibra::ErrorManager errors;
  std::vector<std::unique_ptr<rt::File>> files;
  std::vector<std::unique_ptr<quibra::FileAccessManager>> managers;
  std::vector<std::string> procedures;
};

World& TheWorld() {
  static World world;
  return world;
}

// The first design's NoteUse for a use of usage 3 (nothing is held).
void NoteBySorting(rt::Queue<FileUseEntry>& uses, intptr_t id, const std::string& proc, uint8_t usage) {
  uses.Sort(&FileUseRegistry::ByScope);
  uses.buffer.THREAD = rt::Thread();
  uses.buffer.ID = id;
  uses.buffer.SCOPELEVEL = 1;
  if (!uses.GetSorted(&FileUseRegistry::ByScope)) {
    uses.buffer = {rt::Thread(), proc, id, usage, 0, 1, 0};
    uses.Add();
    return;
  }
  int32_t at = uses.Pointer();
  while (at < uses.Records() && uses.At(at + 1).THREAD == uses.buffer.THREAD && uses.At(at + 1).ID == id) ++at;
  uses.Get(at);
  if (uses.buffer.PROC != proc) {
    uses.buffer.PROC = proc;
    uses.buffer.USTAT = usage;
    ++uses.buffer.SCOPELEVEL;
    uses.Add();
  } else if (usage > uses.buffer.USTAT) {
    uses.buffer.USTAT = usage;
    uses.Put();
  }
}

// One run: every procedure uses every file; with `again`, the last
// procedure then uses each file 100 times more, which finds its own scope.
template <class Note>
void Run(World& w, bool again, Note note) {
  for (const std::string& proc : w.procedures) {
    w.errors.TrackProcedure(proc, false);
    for (auto& m : w.managers) note(*m, proc);
    w.errors.TrackProcedure(proc, true);
  }
  if (!again) return;
  const std::string& last = w.procedures.back();
  w.errors.TrackProcedure(last, false);
  for (int round = 0; round < kProcedures; ++round)
    for (auto& m : w.managers) note(*m, last);
  w.errors.TrackProcedure(last, true);
}

void KeptInOrder(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    state.PauseTiming();
    quibra::FileAccessModuleSetup(0);
    quibra::FileUseRegistryInstance.ERRS = &w.errors;
    state.ResumeTiming();
    Run(w, state.range(0) != 0,
        [](quibra::FileAccessManager& m, const std::string&) { quibra::FileUseRegistryInstance.NoteUse(m, 3); });
    state.PauseTiming();
    if (quibra::FileUses.Records() != kFiles * kProcedures) state.SkipWithError("the list is not as expected");
    quibra::FileAccessModuleSetup(1);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kFiles * kProcedures * (state.range(0) ? 2 : 1));
}

void SortBeforeEveryLookup(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    rt::Queue<FileUseEntry> uses;
    Run(w, state.range(0) != 0, [&uses](quibra::FileAccessManager& m, const std::string& proc) {
      NoteBySorting(uses, FileUseRegistry::FileId(m.DATAFILE), proc, 3);
    });
    if (uses.Records() != kFiles * kProcedures) state.SkipWithError("the list is not as expected");
  }
  state.SetItemsProcessed(state.iterations() * kFiles * kProcedures * (state.range(0) ? 2 : 1));
}

}  // namespace

BENCHMARK(KeptInOrder)->ArgName("lookups")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SortBeforeEveryLookup)->ArgName("lookups")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
