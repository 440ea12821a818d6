#include "FileKit.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "framework/file/FileUseRegistry.h"
#include "platform/OsFile.h"
#include "runtime/ErrorState.h"
#include "runtime/Text.h"
#include "support/ChildProcess.h"

#ifdef QUIBRA_HAVE_SQLITE
#include <sqlite3.h>

#include "runtime/sqlite/SqliteDriver.h"
#endif

namespace filetest {

namespace {

#ifdef QUIBRA_HAVE_SQLITE
bool HoldInTransaction(const std::string& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return false;
  // An exclusive transaction keeps readers and writers of other
  // connections out until it ends.
  return sqlite3_exec(db, "BEGIN EXCLUSIVE; UPDATE records SET QTY = QTY", nullptr, nullptr, nullptr) == SQLITE_OK;
}
#endif

// The child's side of a Holder: "path|how|mode|releaseMs".
int Hold(const std::string& argument) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t bar; (bar = argument.find('|', from)) != std::string::npos; from = bar + 1)
    parts.push_back(argument.substr(from, bar - from));
  parts.push_back(argument.substr(from));
  if (parts.size() != 4) return 2;
  const std::string& path = parts[0];
  os::OsFile shared;
  if (parts[1] == "share") {
    if (!shared.Open(path, static_cast<uint8_t>(std::stoi(parts[2]))).ok()) return 3;
  } else {
#ifdef QUIBRA_HAVE_SQLITE
    if (!HoldInTransaction(path)) return 3;
#else
    return 3;
#endif
  }
  quibra_test::WriteBytes(path + ".held", "");
  const int releaseMs = std::stoi(parts[3]);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(releaseMs ? releaseMs : 30000);
  while (!std::filesystem::exists(path + ".release") && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  // Ending the process lets go of everything it held, as a program does.
  return 0;
}
[[maybe_unused]] const bool servesHold = quibra_test::ChildProcess::Serve("b8-hold", &Hold);

}  // namespace

struct Holder::Impl {
  quibra_test::ChildProcess child;
};

Holder::Holder(const std::string& path, const std::string& how, int mode, int releaseMs)
    : path_(path), impl_(std::make_unique<Impl>()) {
  std::filesystem::remove(path + ".held");
  std::filesystem::remove(path + ".release");
  impl_->child = quibra_test::ChildProcess::Start(
      "b8-hold", &Hold, path + "|" + how + "|" + std::to_string(mode) + "|" + std::to_string(releaseMs));
  holding_ = impl_->child.Started() && quibra_test::AwaitFile(path + ".held");
}

Holder::~Holder() {
  Release();
  Wait();
}

void Holder::Release() { quibra_test::WriteBytes(path_ + ".release", ""); }

int Holder::Wait() { return impl_->child.Wait(); }

void SetItem(Item& item, const std::string& code, const std::string& name, int32_t qty) {
  rt::StoreFixed(item.CODE, sizeof item.CODE, code);
  rt::StoreFixed(item.NAME, sizeof item.NAME, name);
  item.QTY = qty;
}

Item ItemOf(const std::string& code, const std::string& name, int32_t qty) {
  Item item{};
  SetItem(item, code, name, qty);
  return item;
}

std::string CodeOf(const Item& item) { return rt::Clip(std::string_view(item.CODE, sizeof item.CODE)); }
std::string NameOf(const Item& item) { return rt::Clip(std::string_view(item.NAME, sizeof item.NAME)); }

std::unique_ptr<rt::File> ItemFile(const std::string& path, Item& item, const char* driver) {
  std::vector<rt::FileField> record{rt::FileField::Fixed("CODE", item.CODE, sizeof item.CODE),
                                    rt::FileField::Fixed("NAME", item.NAME, sizeof item.NAME)};
  std::vector<rt::FileKey> keys;
  if (rt::Upper(driver) == kKeyed) {
    record.push_back(rt::FileField::Of("QTY", item.QTY));
    keys.push_back({"BYCODE", {{1, false}}, true, false});
    keys.push_back({"BYNAME", {{2, false}}, false, true});
  }
  auto file = std::make_unique<rt::File>(driver, path, std::move(record), std::move(keys));
  if (rt::Upper(driver) == kKeyed) file->DeclareLargeObjects({"NOTE"});
  return file;
}

void MakeItems(const std::string& path, const std::vector<Item>& items) {
  Item item{};
  auto file = ItemFile(path, item);
  ASSERT_TRUE(file->Create()) << rt::ErrorText();
  ASSERT_TRUE(file->Open(0x42)) << rt::ErrorText();
  for (const Item& i : items) {
    item = i;
    ASSERT_TRUE(file->Add()) << rt::ErrorText();
  }
  file->Close();
}

#ifdef QUIBRA_HAVE_SQLITE
std::string RunSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string fault;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
    fault = sqlite3_errmsg(db);
  else if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
    fault = sqlite3_errmsg(db);
  sqlite3_close(db);
  return fault;
}

std::string ReadItem(const std::string& path, const std::string& code) {
  Item item{};
  auto file = ItemFile(path, item);
  if (!file->Open(0x40)) return "open failed: " + rt::ErrorText();
  SetItem(item, code, "", 0);
  const bool found = file->Get(1);
  file->Close();
  return found ? CodeOf(item) + "|" + NameOf(item) + "|" + std::to_string(item.QTY) : "";
}
#endif

void FileTest::SetUp() {
#ifdef QUIBRA_HAVE_SQLITE
  rt::RegisterSqliteDriver();
#endif
  errors.Setup();
  quibra::FileAccessModuleSetup(0);
  quibra::FileUseRegistryInstance.ERRS = &errors;
}

void FileTest::TearDown() {
  EXPECT_EQ(headless::User().Remaining(), std::vector<std::string>{}) << "the script was not used up";
  quibra::FileAccessModuleSetup(1);
  quibra::FileUseRegistryInstance.ERRS = nullptr;
  errors.Shutdown();
}

void FileTest::Manage(quibra::FileAccessManager& m, rt::File& file, uint8_t mode) {
  m.Attach(file, &item, sizeof item, errors);
  m.ACCESSMODE = mode;
}

std::vector<std::string> FileTest::Captions() const {
  std::vector<std::string> out;
  for (const headless::BoxRecord& b : headless::Boxes()) out.push_back(b.caption);
  return out;
}

}  // namespace filetest
