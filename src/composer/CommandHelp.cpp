// What --help and --version print, from the one table of options and the one
// table of exit statuses, so that the help cannot promise what the program
// does not do.
#include <algorithm>

#include "composer/CommandLine.h"
#include "composer/CommandOptions.h"

// The build passes the project's version, so that --version cannot fall
// behind a release.
#ifndef QUIBRA_VERSION
#error "QUIBRA_VERSION must be defined by the build"
#endif

namespace quibra {
namespace {

// The text with blanks added up to `width`, after it or (`right`) before it.
std::string Padded(std::string text, std::size_t width, bool right = false) {
  if (text.size() < width) text.insert(right ? 0 : text.size(), width - text.size(), ' ');
  return text;
}

constexpr struct {
  OptionFamily family;
  const char* heading;
} kSections[] = {
    {OptionFamily::Own, ""},
    {OptionFamily::Drawer, "\nWhere the box is drawn:\n"},
    {OptionFamily::Zenity, "\nzenity's message boxes, with its exit statuses:\n"},
    {OptionFamily::Kdialog, "\nkdialog's message boxes, with its exit statuses (--title applies too):\n"},
};

}  // namespace

std::string UsageText(std::string_view program) {
  constexpr std::size_t kHelpColumn = 28;
  std::string usage = "Usage: " + std::string(program) + " [OPTION]... [TEXT]\n" +
                      "Shows one message box and exits; the exit status tells which button was pressed.\n" +
                      "Without arguments, starts the composer.\n\n";
  for (const auto& section : kSections) {
    usage += section.heading;
    for (const OptionDef& o : CommandOptions()) {
      if (o.family != section.family || !o.help) continue;
      const std::string label = "  " + std::string(o.name) + (o.value ? " " + std::string(o.value) : "") + " ";
      // A label too long for its column has its help on the next line.
      usage += label.size() > kHelpColumn ? label + "\n" + std::string(kHelpColumn, ' ') : Padded(label, kHelpColumn);
      for (const char* c = o.help; *c; ++c)
        usage += *c == '\n' ? "\n" + std::string(kHelpColumn, ' ') : std::string(1, *c);
      usage += '\n';
    }
  }
  usage +=
      "\nAn option's value may also follow an '=' (--title=Hello). With a dialog tool's kind of box,\n"
      "--buttons, --icon and --title still apply; zenity's texts take its \\n escapes and markup.\n"
      "The tools' other dialogs (entries, lists, files, progress, forms) are not message boxes: refused.\n\n";
  std::size_t width = 0;
  for (const ExitStatusRow& row : ExitStatusTable()) width = std::max(width, std::string_view(row.meaning).size());
  usage += Padded("Exit status", width + 2) + Padded("own", 5, true) + Padded("zenity", 8, true) +
           Padded("kdialog", 9, true) + "\n";
  for (const ExitStatusRow& row : ExitStatusTable())
    usage += Padded("  " + std::string(row.meaning), width + 2) + Padded(std::to_string(row.native), 5, true) +
             Padded(std::to_string(row.zenity), 8, true) + Padded(std::to_string(row.kdialog), 9, true) + "\n";
  return usage;
}

std::string VersionText(std::string_view program) { return std::string(program) + " " + QUIBRA_VERSION + "\n"; }

}  // namespace quibra
