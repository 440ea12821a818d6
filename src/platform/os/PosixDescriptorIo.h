#pragma once
// Opening, reading and writing a file through its descriptor on POSIX
// systems, as the open file, the calls by path and the replace all do.
#include <sys/stat.h>

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/IoStatus.h"

namespace os::posix {

// Opens a file that is no folder (a folder is refused as EISDIR would be);
// -1 with the outcome in `status` on failure.
int OpenRegular(const std::string& path, int flags, IoStatus& status, mode_t perms = 0666);
// Reads the whole file from its start, whatever the descriptor's position.
IoStatus ReadFd(int fd, std::string& out, const std::string& path);
// Writes every byte, again after an interrupted write.
IoStatus WriteAll(int fd, std::string_view bytes, const std::string& path);
// What Stat gives for the file `st` describes.
FileInfo InfoOf(const struct stat& st);

}  // namespace os::posix
