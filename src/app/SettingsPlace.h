#pragma once
// Where the program keeps a settings file that it names without a folder. On
// Linux that is the user's settings folder, $XDG_CONFIG_HOME/quibra (by
// default ~/.config/quibra), made for the user alone where it is missing; on
// Windows it is the current directory, as it has always been there.
#include <cstddef>
#include <string>
#include <string_view>

namespace quibra {

struct SettingsPlace {
  std::string path;  // what the settings store is given to open
  // Why the settings folder is not used, in a few words naming it; empty
  // where it is used.
  std::string problem;
};

// The place of `fileName`, a bare file name, in a path of at most `longest`
// bytes. Where the settings folder cannot be told, made or written, or its
// path would be longer, the file stays where a bare name puts it, in the
// current directory: its settings still read and are still saved, and
// `problem` says why. A file of that name in the current directory where
// the settings folder has none yet (an earlier version kept it there) is
// copied into the folder first, so that its settings carry over; the old one
// is left as it is.
SettingsPlace PlaceSettingsFile(std::string_view fileName, std::size_t longest);

// The one line a problem is reported by, for standard error.
std::string SettingsProblemLine(const SettingsPlace& place, std::string_view fileName);

}  // namespace quibra
