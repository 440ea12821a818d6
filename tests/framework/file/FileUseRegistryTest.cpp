// The registry of file uses: scopes by thread, file and procedure, the usage
// kept per scope, held states for inner procedures, and the list kept in
// order as entries are added, which must match sorting it before every
// lookup.
#include <algorithm>
#include <random>
#include <thread>

#include "FileKit.h"
#include "framework/file/FileUseRegistry.h"
#include "runtime/ErrorState.h"
#include "support/CaseName.h"

namespace filetest {
namespace {

using quibra::FileAccessManager;
using quibra::FileUseEntry;
using quibra::FileUseRegistry;
using quibra::FileUses;

struct Use {
  const char* proc;
  int file;  // 0 or 1
  uint8_t usage;
  bool otherThread = false;
};

struct RegistryCase {
  const char* label;
  std::vector<Use> uses;
  // Each entry as "thread proc file usage hold scope", in the list's order
  // within a thread and file.
  std::vector<std::string> entries;
};

// Cases are named by their label in test output.
void PrintTo(const RegistryCase& c, std::ostream* os) { *os << c.label; }

const RegistryCase registryCases[] = {
    {"first use of a file", {{"P", 0, 2}}, {"main P f0 u2 - s1"}},
    {"same procedure, higher usage", {{"P", 0, 2}, {"P", 0, 3}}, {"main P f0 u3 - s1"}},
    {"same procedure, lower usage", {{"P", 0, 2}, {"P", 0, 1}}, {"main P f0 u2 - s1"}},
    {"inner procedure positions", {{"P", 0, 3}, {"Q", 0, 2}}, {"main P f0 u3 - s1", "main Q f0 u2 H s2"}},
    {"inner procedure uses a form", {{"P", 0, 2}, {"Q", 0, 3}}, {"main P f0 u2 - s1", "main Q f0 u3 - s2"}},
    {"back in the outer procedure",
     {{"P", 0, 3}, {"Q", 0, 3}, {"P", 0, 1}},
     {"main P f0 u3 - s1", "main Q f0 u3 - s2", "main P f0 u1 H s3"}},
    {"two files", {{"P", 0, 2}, {"Q", 1, 2}}, {"main P f0 u2 - s1", "main Q f1 u2 - s1"}},
    {"two threads", {{"P", 0, 2}, {"P", 0, 2, true}}, {"main P f0 u2 - s1", "other P f0 u2 - s1"}},
};

class Registry : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    const char* names[] = {"f0.txt", "f1.txt"};
    for (int i = 0; i < 2; ++i) {
      files[i] = ItemFile(dir.File(names[i]), item, "ASCII");
      Manage(managers[i], *files[i]);
    }
  }
  void Note(const Use& use) {
    auto run = [&] {
      errors.TrackProcedure(use.proc, false);
      quibra::FileUseRegistryInstance.NoteUse(managers[use.file], use.usage);
      errors.TrackProcedure(use.proc, true);
    };
    if (use.otherThread)
      std::thread(run).join();
    else
      run();
  }
  std::string Describe(const FileUseEntry& e) const {
    const int file = e.ID == FileUseRegistry::FileId(files[0].get()) ? 0 : 1;
    std::string out = e.THREAD == rt::Thread() ? "main " : "other ";
    out += e.PROC;
    out += " f" + std::to_string(file);
    out += " u" + std::to_string(e.USTAT);
    out += e.HOLD ? " H" : " -";
    out += " s" + std::to_string(e.SCOPELEVEL);
    return out;
  }

  std::unique_ptr<rt::File> files[2];
  FileAccessManager managers[2];
};

class RegistryUses : public Registry, public testing::WithParamInterface<RegistryCase> {};

TEST_P(RegistryUses, NotesEachUseInItsScope) {
  for (const Use& use : GetParam().uses) Note(use);
  std::vector<std::string> seen;
  for (int32_t i = 1; i <= FileUses.Records(); ++i) seen.push_back(Describe(FileUses.At(i)));
  std::vector<std::string> expected = GetParam().entries;
  // Threads and files come in the order of their numbers and addresses.
  std::sort(seen.begin(), seen.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(seen, expected);
  for (int32_t i = 2; i <= FileUses.Records(); ++i)
    EXPECT_LE(FileUseRegistry::ByScope(FileUses.At(i - 1), FileUses.At(i)), 0) << "entry " << i << " is out of order";
}

INSTANTIATE_TEST_SUITE_P(Uses, RegistryUses, testing::ValuesIn(registryCases), quibra_test::ByLabel());

TEST_F(Registry, AHeldStateIsTheManagersOwn) {
  Note({"P", 0, 3});
  Note({"Q", 0, 1});
  ASSERT_EQ(managers[0].HELDSTATES->Records(), 1);
  EXPECT_EQ(FileUses.At(2).HOLD, managers[0].HELDSTATES->At(1).HOLDNUMBER);
  EXPECT_EQ(managers[1].HELDSTATES->Records(), 0);
}

// The registry as first written: entries appended at the end and the whole
// list sorted before each lookup.
void NoteBySorting(std::vector<FileUseEntry>& uses, intptr_t id, const std::string& proc, uint8_t usage) {
  auto less = [](const FileUseEntry& a, const FileUseEntry& b) { return FileUseRegistry::ByScope(a, b) < 0; };
  std::stable_sort(uses.begin(), uses.end(), less);
  FileUseEntry key;
  key.THREAD = rt::Thread();
  key.ID = id;
  key.SCOPELEVEL = 1;
  auto at = std::lower_bound(uses.begin(), uses.end(), key, less);
  if (at == uses.end() || FileUseRegistry::ByScope(*at, key) != 0) {
    uses.push_back({key.THREAD, proc, id, usage, 0, 1, 0});
    return;
  }
  while (at + 1 != uses.end() && (at + 1)->THREAD == key.THREAD && (at + 1)->ID == id) ++at;
  if (at->PROC != proc) {
    uses.push_back({key.THREAD, proc, id, usage, static_cast<uint16_t>(usage < 3 ? 1 : 0),
                    static_cast<uint16_t>(at->SCOPELEVEL + 1), 0});
  } else if (usage > at->USTAT) {
    at->USTAT = usage;
  }
}

TEST_F(Registry, KeepingTheListInOrderIsTheSameAsSortingBeforeEveryLookup) {
  std::mt19937 random(8);
  std::vector<FileUseEntry> sorted;
  const char* procs[] = {"A", "B", "C"};
  for (int step = 0; step < 600; ++step) {
    const int file = static_cast<int>(random() % 2);
    const char* proc = procs[random() % 3];
    const uint8_t usage = static_cast<uint8_t>(1 + random() % 3);
    Note({proc, file, usage});
    NoteBySorting(sorted, FileUseRegistry::FileId(files[file].get()), proc, usage);
  }
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const FileUseEntry& a, const FileUseEntry& b) { return FileUseRegistry::ByScope(a, b) < 0; });
  ASSERT_EQ(FileUses.Records(), static_cast<int32_t>(sorted.size()));
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    const FileUseEntry& e = FileUses.At(static_cast<int32_t>(i + 1));
    EXPECT_EQ(Describe(e), Describe(sorted[i])) << "entry " << i + 1;
  }
}

TEST_F(Registry, TheModulesEndEmptiesItsLists) {
  Note({"P", 0, 2});
  quibra::FileLabels.buffer = {7, &managers[0]};
  quibra::FileLabels.Add();
  quibra::FileAccessModuleSetup(1);
  EXPECT_EQ(FileUses.Records(), 0);
  EXPECT_EQ(quibra::FileLabels.Records(), 0);
  EXPECT_EQ(quibra::FileUseRegistryInstance.ERRS, nullptr) << "the error manager may go with the module";
  quibra::FileAccessModuleSetup(0);
  EXPECT_EQ(quibra::FileUseRegistryInstance.USES, &FileUses);
}

}  // namespace
}  // namespace filetest
