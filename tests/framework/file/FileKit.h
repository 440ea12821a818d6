#pragma once
// What the file tests share: a record of items and its file (keyed over
// SQLite where the build has it, or plain text), a fixture with a fresh
// folder, error manager, registry and scripted user, and helpers that run a
// second process holding a file the way another program would.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "backends/headless/Headless.h"
#include "framework/error/ErrorManager.h"
#include "framework/file/FileAccessManager.h"
#include "runtime/File.h"
#include "support/TempDir.h"

namespace filetest {

// The keyed driver's name, as files name it.
inline constexpr const char* kKeyed = "SQLITE";

struct Item {
  char CODE[8];
  char NAME[20];
  int32_t QTY;
};

void SetItem(Item& item, const std::string& code, const std::string& name, int32_t qty);
Item ItemOf(const std::string& code, const std::string& name, int32_t qty);
std::string CodeOf(const Item& item);
std::string NameOf(const Item& item);

// The item file: key 1 "BYCODE" (unique, any case) on CODE, key 2 "BYNAME" on
// NAME, large-object field "NOTE". A text file has the record only.
std::unique_ptr<rt::File> ItemFile(const std::string& path, Item& item, const char* driver = kKeyed);
// Creates the file and adds the items, closing it again.
void MakeItems(const std::string& path, const std::vector<Item>& items);
// Runs SQL on the file outside the driver, as another program or a person
// mending it by hand would; the empty text when it worked, else the fault.
std::string RunSql(const std::string& path, const std::string& sql);
// What a second program sees: the item with that code ("" when none), as
// "CODE|NAME|QTY".
std::string ReadItem(const std::string& path, const std::string& code);

// Another process holds the file: with the sharing mode ("share", the
// platform's sharing) or inside a write transaction ("write", SQLite's own
// lock). It lets go when `<path>.release` appears or after `releaseMs`
// milliseconds (0: only when told), and ends.
class Holder {
 public:
  Holder(const std::string& path, const std::string& how, int mode = 0x12, int releaseMs = 0);
  ~Holder();
  bool Holding() const { return holding_; }
  void Release();
  int Wait();

 private:
  std::string path_;
  bool holding_ = false;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A fresh folder, a set-up error manager and file-use registry, a scripted
// user that must be used up, and the item record.
class FileTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A manager for the file, attached and with `mode`.
  void Manage(quibra::FileAccessManager& m, rt::File& file, uint8_t mode = 0x42);
  // The captions of the boxes shown so far.
  std::vector<std::string> Captions() const;

  headless::ScriptScope script;
  quibra_test::TempDir dir;
  quibra::ErrorManager errors;
  Item item{};
};

}  // namespace filetest
