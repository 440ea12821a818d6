#pragma once
// The exit status of a run from the command line: which button closed the
// box, or why no box was shown. One table serves both the exit logic and the
// help text, so that what --help promises is what a script gets.
#include <cstdint>
#include <span>

namespace quibra {

// Which codes a run ends with. The program's own give each button a code of
// its own; the desktop dialog tools' are theirs, so that a script written for
// one of them works unchanged when it calls this program by that tool's
// options: zenity's (--info, --warning, --error, --question) give 0 for OK and
// Yes and 1 for any other answer; kdialog's (--msgbox, --yesno, ...) 0 for
// OK, Yes and Continue, 1 for No and 2 for Cancel, Escape and the close box.
enum class ExitScheme : uint8_t { Native, Zenity, Kdialog };

// The rows of the table that stand for no button.
constexpr int32_t kNoButtonRow = 0;  // the box could not be shown, or gave no button
constexpr int32_t kUsageRow = -1;    // the command line was wrong, so no box was shown
// A message that is only shown once was not shown again (--dontagain).
constexpr int32_t kNotShownAgainRow = -2;

struct ExitStatusRow {
  int32_t button;       // a ButtonSet value, or one of the rows above
  const char* meaning;  // as the help text says it
  int32_t native;
  int32_t zenity;
  int32_t kdialog;
};

std::span<const ExitStatusRow> ExitStatusTable();

// The status of a run whose box answered `pressed`, a ButtonSet value; a
// value that is no button the table knows (0 when the box failed) gives the
// no-button row's status.
int32_t ExitStatusOf(int32_t pressed, ExitScheme scheme);

// The status of a wrong command line: the program's own, or the dialog
// tool's whose kind of box it asks for (zenity 255, kdialog 1).
int32_t UsageStatus(ExitScheme scheme = ExitScheme::Native);

}  // namespace quibra
