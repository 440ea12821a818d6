#include "composer/ExitStatus.h"

#include "runtime/MessageBox.h"

namespace quibra {
namespace {

// The buttons' own codes are their native result ids less one, so that OK is
// 0 as a shell expects of success; a time-out comes next, and is 5 for the
// dialog tools, as zenity's is, then the buttons a caller added. The two codes for no box come from the
// BSD exit codes (sysexits.h): 64 for a usage error, 69 for a service that is
// not available; no button code can reach them.
constexpr ExitStatusRow kTable[] = {
    {rt::ButtonOk, "OK (kdialog: also Continue)", 0, 0, 0},
    {rt::ButtonCancel, "Cancel (or Escape, or the close box)", 1, 1, 2},
    {rt::ButtonAbort, "Abort", 2, 1, 2},
    {rt::ButtonRetry, "Retry", 3, 1, 2},
    {rt::ButtonIgnore, "Ignore", 4, 1, 2},
    {rt::ButtonYes, "Yes", 5, 0, 0},
    {rt::ButtonNo, "No", 6, 1, 1},
    {rt::BoxTimedOut, "the time ran out (--timeout) and pressed the default", 7, 5, 5},
    {rt::kFirstExtraButton, "an added button (--extra-button; its label is printed)", 8, 1, 1},
    {kNotShownAgainRow, "a message not shown again (--dontagain)", 0, 0, 1},
    {kNoButtonRow, "the box could not be shown", 69, 69, 69},
    {kUsageRow, "a wrong command line (no box is shown)", 64, 255, 1},
};

const ExitStatusRow& RowOf(int32_t button) {
  for (const ExitStatusRow& row : kTable)
    if (row.button == button) return row;
  return RowOf(kNoButtonRow);
}

int32_t CodeIn(const ExitStatusRow& row, ExitScheme scheme) {
  switch (scheme) {
    case ExitScheme::Zenity:
      return row.zenity;
    case ExitScheme::Kdialog:
      return row.kdialog;
    case ExitScheme::Native:
      break;
  }
  return row.native;
}

}  // namespace

std::span<const ExitStatusRow> ExitStatusTable() { return kTable; }

int32_t ExitStatusOf(int32_t pressed, ExitScheme scheme) {
  // Of the rows below zero, only a message not shown again is an answer;
  // every added button has the first one's row.
  const int32_t button = pressed == kNotShownAgainRow       ? pressed
                         : pressed < 0                      ? kNoButtonRow
                         : pressed >= rt::kFirstExtraButton ? rt::kFirstExtraButton
                                                            : pressed;
  return CodeIn(RowOf(button), scheme);
}

int32_t UsageStatus(ExitScheme scheme) { return CodeIn(RowOf(kUsageRow), scheme); }

}  // namespace quibra
