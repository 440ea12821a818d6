#pragma once
// kdialog's --dontagain FILE:KEY: a box whose "Do not ask again" was ticked
// is not shown again, its answer read back instead. The answers stand where
// kdialog keeps them on a KDE desktop and as it writes them there, so that
// kdialog and this program share them: group [Notification Messages] of FILE
// in the user's settings folder, KEY=true for Yes and KEY=false for No, and
// KEY=false for a box that went on (Continue) or a message that was seen.
#include <cstdint>
#include <optional>
#include <string>

#include "composer/CommandLine.h"

namespace quibra {

// The remembered answer for the box, as a ButtonSet value (kNotShownAgainRow
// for a message that only tells); none when the box is to be shown.
std::optional<int32_t> RememberedAnswer(const std::string& fileKey, RememberedKind kind);

// Keeps `answer` (a button of the box) for next time; Cancel and a time-out
// are never kept. False with `error` set when the file cannot be written.
bool RememberAnswer(const std::string& fileKey, RememberedKind kind, int32_t answer, std::string& error);

// The settings file's text with KEY set to `value` in [GROUP]: the line
// changed, or added at the end of its group, the group added at the end;
// every other line as it was.
std::string WithEntry(std::string text, const std::string& group, const std::string& key, const std::string& value);

}  // namespace quibra
