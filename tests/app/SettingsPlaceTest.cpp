// Where the settings file named without a folder is kept: the user's
// settings folder on Linux, the current directory on Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/SettingsPlace.h"
#include "platform/ThisOs.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using quibra_test::ReadBytes;
using quibra_test::ScopedVariable;
using quibra_test::TempDir;
using quibra_test::WriteBytes;

constexpr std::size_t kLongest = 259;

struct PlaceCase {
  const char* label;
  std::function<std::string(const TempDir&)> xdg;  // XDG_CONFIG_HOME; "-": unset
  std::function<std::string(const TempDir&)> home;
  std::string oldFile;  // QuibraD.INI in the current directory beforehand; empty: none
  std::string newFile;  // the one in the settings folder beforehand; empty: none
  // The place relative to the test's folder; empty: the bare name.
  std::string placed;
  std::string problem;  // a part of the problem's words; empty: none
  std::string after;    // the placed file's bytes afterwards
};

std::string In(const TempDir& dir, const std::string& name) { return dir.File(name); }

TEST(SettingsPlace, OnLinuxTheSettingsFolderOtherwiseTheCurrentDirectory) {
  if (os::kWindows) {
    TempDir dir(true);
    ScopedVariable local("LOCALAPPDATA", dir.Path().string().c_str());
    const quibra::SettingsPlace place = quibra::PlaceSettingsFile("QuibraD.INI", kLongest);
    EXPECT_EQ(place.path, "QuibraD.INI") << "Windows keeps the current directory";
    EXPECT_EQ(place.problem, "");
    return;
  }
  const auto unset = [](const TempDir&) { return std::string("-"); };
  const auto cfg = [](const TempDir& d) { return In(d, "cfg"); };
  const auto home = [](const TempDir& d) { return In(d, "home"); };
  const PlaceCase cases[] = {
      {"XDG_CONFIG_HOME, made", cfg, home, "", "", "cfg/quibra/QuibraD.INI", "", ""},
      {"a relative XDG_CONFIG_HOME does not count", [](const TempDir&) { return std::string("rel/cfg"); }, home, "", "",
       "home/.config/quibra/QuibraD.INI", "", ""},
      {"no XDG_CONFIG_HOME", unset, home, "", "", "home/.config/quibra/QuibraD.INI", "", ""},
      {"neither", unset, unset, "", "", "", "no settings folder is known", ""},
      {"a folder that cannot be made", [](const TempDir& d) { return In(d, "file/cfg"); }, home, "", "", "",
       "file/cfg: Not a directory", ""},
      {"a path too long", [](const TempDir& d) { return In(d, std::string(240, 'x')); }, home, "", "", "",
       "longer than the 259 bytes", ""},
      {"an earlier version's file carries over", cfg, home, "[old]\r\nkept=1\r\n", "", "cfg/quibra/QuibraD.INI", "",
       "[old]\r\nkept=1\r\n"},
      {"a file in the folder wins over an old one", cfg, home, "[old]\r\n", "[new]\r\n", "cfg/quibra/QuibraD.INI", "",
       "[new]\r\n"},
      {"an old one stays where the folder cannot be made", [](const TempDir& d) { return In(d, "file/cfg"); }, home,
       "[old]\r\n", "", "", "Not a directory", "[old]\r\n"},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir(true);
    WriteBytes(dir.File("file"), "not a folder");
    const std::string xdg = c.xdg(dir), homeValue = c.home(dir);
    ScopedVariable x("XDG_CONFIG_HOME", xdg == "-" ? nullptr : xdg.c_str());
    ScopedVariable h("HOME", homeValue == "-" ? nullptr : homeValue.c_str());
    if (!c.oldFile.empty()) WriteBytes("QuibraD.INI", c.oldFile);
    if (!c.newFile.empty()) {
      fs::create_directories(dir.Path() / "cfg/quibra");
      fs::permissions(dir.Path() / "cfg/quibra", fs::perms::owner_all, fs::perm_options::replace);
      WriteBytes(dir.File("cfg/quibra/QuibraD.INI"), c.newFile);
    }

    const quibra::SettingsPlace place = quibra::PlaceSettingsFile("QuibraD.INI", kLongest);

    const std::string wanted = c.placed.empty() ? std::string("QuibraD.INI") : dir.File(c.placed);
    EXPECT_EQ(place.path, wanted);
    if (c.problem.empty()) {
      EXPECT_EQ(place.problem, "");
      const fs::path folder = fs::path(wanted).parent_path();
      EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all) << "for the user alone";
    } else {
      EXPECT_NE(place.problem.find(c.problem), std::string::npos) << place.problem;
    }
    if (!c.after.empty()) {
      EXPECT_EQ(ReadBytes(place.path), c.after);
    }
    if (!c.oldFile.empty()) {
      EXPECT_EQ(ReadBytes("QuibraD.INI"), c.oldFile) << "the old file is left as it is";
    }
  }
}

}  // namespace
