#pragma once
// Where the fuzzers that write files put them: a folder in memory where the
// system has one, since every INI write is flushed to disk and a disk would
// hold each input up for milliseconds; else the temporary folder.
#include <filesystem>
#include <system_error>

namespace fuzz {

inline std::filesystem::path ScratchFolder() {
  std::error_code ignored;
  if (std::filesystem::is_directory("/dev/shm", ignored)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

}  // namespace fuzz
