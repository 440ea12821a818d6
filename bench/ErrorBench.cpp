// The error manager's message path: filling the default table's longest
// templates, and delivering messages with a history of 1,000 kept and
// nothing shown.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "framework/error/ErrorManager.h"
#include "runtime/ErrorState.h"

namespace {

// A manager set up as at start-up, with a file name and an error captured.
class ReadyManager {
 public:
  ReadyManager() {
    manager.Setup();
    manager.NoteFile("CUSTOMER.DAT");
    rt::SetError(rt::ErrAccessDenied);
    manager.CaptureErrorState();
    manager.TrackProcedure("Main", false);
  }
  ~ReadyManager() { manager.Shutdown(); }
  quibra::ErrorManager manager;
};

// The longest templates of the default table that hold placeholders.
void BM_ExpandText(benchmark::State& state) {
  ReadyManager ready;
  const uint16_t id = static_cast<uint16_t>(state.range(0));
  if (ready.manager.Locate(id) != quibra::LevelOk) state.SkipWithError("id not in the table");
  std::size_t length = 0;
  for (auto _ : state) {
    std::string text = ready.manager.ExpandText();
    length = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["chars"] = static_cast<double>(length);
}

// Raise of a notice (id 22) with the history on (1,000 kept, so that every
// message past the first thousand also drops the oldest) and SILENT set.
void BM_DeliverWithHistory(benchmark::State& state) {
  ReadyManager ready;
  quibra::ErrorManager& m = ready.manager;
  m.HISTORYTHRESHOLD = 1000;
  m.SILENT = 1;
  for (int i = 0; i < 1000; ++i) m.Raise(22);  // the history starts full
  for (auto _ : state) benchmark::DoNotOptimize(m.Raise(state.range(0)));
  if (m.HISTORY->Records() != 1000) state.SkipWithError("the history did not keep 1,000");
  state.SetItemsProcessed(state.iterations());
}

#ifndef _WIN32
// A logged message while another program holds a lock of its own on the whole
// log (as a log rotator or "flock AppError.Log ..." does): the message is
// kept for later, and must not wait long for the lock.
void BM_DeliverWithTheLogLockedElsewhere(benchmark::State& state) {
  const std::filesystem::path was = std::filesystem::current_path();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quibra-locked-log-bench";
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);  // the log lives in the current directory
  ReadyManager ready;
  quibra::ErrorManager& m = ready.manager;
  m.LOGERRORS = 1;
  m.SILENT = 1;
  m.Raise(22);  // the log exists
  const int fd = ::open(std::string(quibra::ErrorLogName).c_str(), O_RDWR);
  if (fd < 0 || ::flock(fd, LOCK_EX) != 0) state.SkipWithError("the log could not be locked");
  for (auto _ : state) benchmark::DoNotOptimize(m.Raise(22));
  ::close(fd);
  state.SetItemsProcessed(state.iterations());
  std::filesystem::current_path(was);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DeliverWithTheLogLockedElsewhere)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

BENCHMARK(BM_ExpandText)->ArgName("id")->Arg(31)->Arg(1)->Arg(32)->Arg(36);
BENCHMARK(BM_DeliverWithHistory)->ArgName("id")->Arg(22)->Arg(32);

}  // namespace

BENCHMARK_MAIN();
