#pragma once
// The user's settings folder, and making folders.
#include <string>

namespace os {

// Where the user's programs keep their settings: $XDG_CONFIG_HOME where it
// is an absolute path, else ~/.config, on Linux; %LOCALAPPDATA% (else
// %APPDATA%) on Windows. Empty when none can be told.
std::string UserConfigFolder();

// Makes the folder and each missing one above it, a new one for the user
// alone (mode 0700 on POSIX systems); true when the folder is there
// afterwards, else `error` says why in a few words.
bool MakeFolders(const std::string& path, std::string& error);

// Whether this user may make and replace files in the folder; where not,
// `error` names it and says why in a few words.
bool CanWriteIn(const std::string& folder, std::string& error);

}  // namespace os
