#pragma once
// Sharing between the openers of a file on POSIX systems.
//
// Sharing is kept with open file description locks (F_OFD_SETLK), which
// belong to one open of a file, so two opens conflict whether they are in one
// process or in two, and a killed process loses its locks with its files.
// Four reserved bytes far past any real data say what the openers hold: a
// shared lock on "has read", "has write", "denies read" or "denies write" for
// each opener that has or denies that access. A new opener checks the bytes
// that matter to it and takes its own under a gate (an exclusive flock of the
// file), so that two openers cannot both check before either takes. A fifth
// byte, locked exclusively, is a writer's turn at a file it replaces.
#include <fcntl.h>

#include <functional>
#include <string>

#include "platform/AccessMode.h"
#include "platform/IoStatus.h"

namespace os::posix {

enum LockByte : off_t { HasRead = 0, HasWrite = 1, DeniesRead = 2, DeniesWrite = 3, WriterTurnByte = 4 };

// A lock of `type` on one of the reserved bytes.
struct flock LockOf(short type, LockByte byte);
// Checks the open's access and sharing against the other openers' and
// records them: IoDenied when they conflict.
IoStatus ClaimSharing(int fd, const AccessMode& mode);
// Runs `write` on the open file unless another opener holds it with writing
// denied (IoDenied then), with the sharing gate shut meanwhile so that no
// opener can deny writing before the write is done.
IoStatus WriteUnlessDenied(int fd, const std::function<IoStatus()>& write);
// IoDenied when another opener holds the file at the path with writing
// denied; a file that cannot be opened is not refused here (the caller's own
// call reports what is wrong).
IoStatus RefuseIfWritingDenied(const std::string& path);

}  // namespace os::posix
