#include "app/SettingsPlace.h"

#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "platform/ThisOs.h"

namespace quibra {
namespace {

constexpr std::string_view kFolderName = "quibra";

// The settings of a run before the file moved, carried into `path`.
bool CarryOver(const std::string& oldPath, const std::string& path, std::string& error) {
  os::FileInfo info;
  if (!os::Stat(path, info).ok() || info.exists || !os::Exists(oldPath)) return true;
  std::string bytes;
  os::IoStatus status = os::ReadAll(oldPath, bytes);
  if (status.ok()) status = os::AtomicReplace(path, bytes);
  if (!status.ok()) error = path + ": " + (status.text.empty() ? "cannot be written" : status.text);
  return status.ok();
}

}  // namespace

SettingsPlace PlaceSettingsFile(std::string_view fileName, std::size_t longest) {
  const std::string bare(fileName);
  if constexpr (os::kWindows) return {bare, {}};
  const std::string home = os::UserConfigFolder();
  if (home.empty()) return {bare, "no settings folder is known (neither XDG_CONFIG_HOME nor HOME is an absolute path)"};
  const std::string folder = home + "/" + std::string(kFolderName);
  const std::string path = folder + "/" + bare;
  if (path.size() > longest)
    return {bare,
            folder + ": its path is longer than the " + std::to_string(longest) + " bytes a settings file may have"};
  std::string error;
  if (!os::MakeFolders(folder, error) || !os::CanWriteIn(folder, error) || !CarryOver(bare, path, error))
    return {bare, error};
  return {path, {}};
}

std::string SettingsProblemLine(const SettingsPlace& place, std::string_view fileName) {
  return "the settings folder cannot be used: " + place.problem + "; the settings stay in " + std::string(fileName) +
         " in the current folder";
}

}  // namespace quibra
