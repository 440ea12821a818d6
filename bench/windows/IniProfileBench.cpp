// Reading a list of 10,000 entries right after writing it, through the
// system's profile functions and through ours, side by side, each on a file
// of its own laid out as the settings store keeps its list (a count, then one
// numbered entry per record, its three fields comma-joined):
// - the system writes the list in one section write and reads it back with
//   one GetPrivateProfileString per entry (and, for reference, the whole
//   section in one GetPrivateProfileSection);
// - ours writes it with the store's Finalize (one batch) and reads it back
//   with GetIni per entry, and with the store's own list read (Initialize:
//   one snapshot of the file, three field reads per entry); the store also
//   reads the file the system has just written, which it has never seen.
// Every value read is checked. Prints the median and the fastest of a few
// rounds, and how many times faster the store reads the list than the system.
//   ini_profile_bench [entries] [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/settings/IniStore.h"
#include "runtime/Ini.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using quibra::IniStore;

const std::string kSection(IniStore::OwnSection);
const std::string kEntry(IniStore::OwnEntry);

std::string Name(int64_t i) { return kEntry + '_' + std::to_string(i); }
std::string Family(int64_t i) { return "Family " + std::to_string(i); }
std::string Item(int64_t i) { return "Item number " + std::to_string(i); }
std::string Type(int64_t i) { return "Type " + std::to_string(i % 7); }
std::string Value(int64_t i) { return Family(i) + ',' + Item(i) + ',' + Type(i); }

double Milliseconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "ini_profile_bench: %s\n", what.c_str());
  std::exit(1);
}

void SystemWrite(const std::string& file, int64_t count) {
  std::string block = kEntry + '=' + std::to_string(count) + '\0';
  for (int64_t i = 1; i <= count; ++i) block += Name(i) + '=' + Value(i) + '\0';
  block += '\0';
  if (!WritePrivateProfileSectionA(kSection.c_str(), block.c_str(), file.c_str())) Fail("the system's write failed");
}

void SystemRead(const std::string& file, int64_t count) {
  char value[256];
  GetPrivateProfileStringA(kSection.c_str(), kEntry.c_str(), "", value, sizeof value, file.c_str());
  if (std::atoll(value) != count) Fail("the system read a wrong count");
  for (int64_t i = 1; i <= count; ++i) {
    GetPrivateProfileStringA(kSection.c_str(), Name(i).c_str(), "", value, sizeof value, file.c_str());
    if (Value(i) != value) Fail("the system read a wrong value at " + Name(i));
  }
}

void SystemReadSection(const std::string& file, int64_t count) {
  std::vector<char> block(static_cast<std::size_t>(count + 1) * 64 + 1024);
  const DWORD n =
      GetPrivateProfileSectionA(kSection.c_str(), block.data(), static_cast<DWORD>(block.size()), file.c_str());
  int64_t lines = 0;
  for (DWORD i = 0; i < n; ++i) lines += block[i] == '\0';
  if (lines != count + 1) Fail("the system's section read gave a wrong number of lines");
}

void StoreWrite(const std::string& file, int64_t count) {
  IniStore store;
  store.Initialize(file);
  for (int64_t i = 1; i <= count; ++i) {
    store.SECTORS->buffer.FAMILY = Family(i);
    store.SECTORS->buffer.ITEM = Item(i);
    store.SECTORS->buffer.TYPE = Type(i);
    store.SECTORS->Add();
  }
  if (!store.Finalize()) Fail("the store's write failed");
}

void OurRead(const std::string& file, int64_t count) {
  if (std::atoll(rt::GetIni(kSection, kEntry, "", file).c_str()) != count) Fail("we read a wrong count");
  for (int64_t i = 1; i <= count; ++i)
    if (rt::GetIni(kSection, Name(i), "", file) != Value(i)) Fail("we read a wrong value at " + Name(i));
}

// The store's list read, timed; its entries checked after.
double StoreRead(const std::string& file, int64_t count) {
  IniStore store;
  const double ms = Milliseconds([&] { store.Initialize(file); });
  if (store.SECTORS->Records() != count) Fail("the store read a wrong count");
  for (int64_t i = 1; i <= count; ++i) {
    const IniStore::SectorEntry& e = store.SECTORS->At(static_cast<int32_t>(i));
    if (e.FAMILY.view() != Family(i) || e.ITEM.view() != Item(i) || e.TYPE.view() != Type(i))
      Fail("the store read a wrong entry at " + Name(i));
  }
  store.SECTORS.reset();  // dropped without writing it back
  return ms;
}

struct Row {
  const char* label;
  std::vector<double> write, read;
};

double Median(std::vector<double> t) {
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int64_t count = argc > 1 ? std::atoll(argv[1]) : 10000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  if (count < 1 || count > 65535 || rounds < 1) Fail("usage: ini_profile_bench [entries 1-65535] [rounds]");
  const fs::path folder = fs::temp_directory_path() / ("quibra-bench-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);

  Row system{"system: GetPrivateProfileString per entry"};
  Row systemSection{"system: GetPrivateProfileSection, whole list"};
  Row ours{"ours: GetIni per entry"};
  Row store{"ours: the store's list read"};
  Row storeOfSystem{"ours: the store's list read, system's file"};
  for (int round = 0; round < rounds; ++round) {
    // New files each round, so that no reader answers from an earlier round.
    const auto file = [&](const char* name) { return (folder / (name + std::to_string(round) + ".ini")).string(); };
    const std::string systemFile = file("system"), sectionFile = file("section"), ourFile = file("ours"),
                      storeFile = file("store"), handedFile = file("handed");
    system.write.push_back(Milliseconds([&] { SystemWrite(systemFile, count); }));
    system.read.push_back(Milliseconds([&] { SystemRead(systemFile, count); }));
    systemSection.write.push_back(Milliseconds([&] { SystemWrite(sectionFile, count); }));
    systemSection.read.push_back(Milliseconds([&] { SystemReadSection(sectionFile, count); }));
    ours.write.push_back(Milliseconds([&] { StoreWrite(ourFile, count); }));
    ours.read.push_back(Milliseconds([&] { OurRead(ourFile, count); }));
    store.write.push_back(Milliseconds([&] { StoreWrite(storeFile, count); }));
    store.read.push_back(StoreRead(storeFile, count));
    storeOfSystem.write.push_back(Milliseconds([&] { SystemWrite(handedFile, count); }));
    storeOfSystem.read.push_back(StoreRead(handedFile, count));
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);

  std::printf("A list of %lld entries written, then read back right away; %d rounds, milliseconds\n",
              static_cast<long long>(count), rounds);
  std::printf("%-46s %12s %12s %12s\n", "", "write median", "read median", "read fastest");
  for (const Row* row : {&system, &systemSection, &ours, &store, &storeOfSystem})
    std::printf("%-46s %12.1f %12.1f %12.1f\n", row->label, Median(row->write), Median(row->read),
                *std::min_element(row->read.begin(), row->read.end()));
  std::printf(
      "The store reads the list %.0f times as fast as the system's per-entry reads (medians; the target is "
      "at least 50), GetIni per entry %.0f times.\n",
      Median(system.read) / Median(store.read), Median(system.read) / Median(ours.read));
  return 0;
}
