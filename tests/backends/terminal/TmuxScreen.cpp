#include "TmuxScreen.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace terminal_test {
namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int serial = 0;

}  // namespace

std::string Screen::Row(int y) const {
  std::string text;
  if (y < 0 || y >= static_cast<int>(rows.size())) return text;
  for (const ScreenCell& cell : rows[static_cast<std::size_t>(y)]) text += cell.ch;
  return text;
}

Screen ParseCapture(const std::string& captured) {
  Screen screen;
  std::istringstream in(captured);
  std::string text;
  ScreenCell pen;
  while (std::getline(in, text)) {
    std::vector<ScreenCell>& row = screen.rows.emplace_back();
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == 0x0e) {
        pen.line = true;
      } else if (c == 0x0f) {
        pen.line = false;
      } else if (c == 0x1b && i + 1 < text.size() && text[i + 1] == '[') {
        std::size_t end = text.find_first_of("ABCDEFGHJKSTfmhlsu", i + 2);
        if (end == std::string::npos) break;
        if (text[end] == 'm') {
          std::vector<int> codes;
          std::istringstream params(text.substr(i + 2, end - i - 2));
          for (std::string p; std::getline(params, p, ';');) codes.push_back(p.empty() ? 0 : std::atoi(p.c_str()));
          if (codes.empty()) codes.push_back(0);
          for (std::size_t k = 0; k < codes.size(); ++k) {
            switch (codes[k]) {
              case 0:
                pen = ScreenCell{.line = pen.line};
                break;
              case 1:
                pen.bold = true;
                break;
              case 22:
                pen.bold = false;
                break;
              case 4:
                pen.underline = true;
                break;
              case 24:
                pen.underline = false;
                break;
              case 7:
                pen.reverse = true;
                break;
              case 27:
                pen.reverse = false;
                break;
              case 38:
              case 48:
                k += k + 1 < codes.size() && codes[k + 1] == 5 ? 2 : 4;
                break;
              default:
                break;
            }
          }
        }
        i = end;
      } else if (c == 0x1b) {
        ++i;  // a two-byte escape such as a character set's choice
      } else if (static_cast<unsigned char>(c) >= 0xC0) {
        // A character of several bytes, a cell: a line drawn in a UTF-8
        // terminal reads as the line-drawing set's letter it stands for.
        std::size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        const std::string character = text.substr(i, end - i);
        static const std::pair<const char*, char> kLines[] = {
            {"\xE2\x94\x8C", 'l'}, {"\xE2\x94\x90", 'k'}, {"\xE2\x94\x94", 'm'},
            {"\xE2\x94\x98", 'j'}, {"\xE2\x94\x80", 'q'}, {"\xE2\x94\x82", 'x'}};
        ScreenCell cell = pen;
        cell.ch = '?';
        for (const auto& [line, letter] : kLines)
          if (character == line) {
            cell.ch = letter;
            cell.line = true;
          }
        row.push_back(cell);
        i = end - 1;
      } else {
        ScreenCell cell = pen;
        cell.ch = c;
        row.push_back(cell);
      }
    }
  }
  return screen;
}

bool Tmux::Installed() { return std::system("command -v tmux >/dev/null 2>&1") == 0; }

Tmux::Tmux(const std::string& command, int columns, int rows)
    : socket_("quibra-test-" + std::to_string(getpid()) + "-" + std::to_string(++serial)) {
  Run("-f /dev/null new-session -d -x " + std::to_string(columns) + " -y " + std::to_string(rows) + " -s box " +
      Quoted(command) + " \\; set-option -g escape-time 0");
}

Tmux::~Tmux() { Run("kill-server"); }

std::string Tmux::Run(const std::string& arguments) const {
  const std::string command = "tmux -L " + socket_ + " " + arguments + " 2>/dev/null";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

Screen Tmux::Capture() const {
  Screen screen = ParseCapture(Run("capture-pane -e -p -t box"));
  std::istringstream cursor(Run("display-message -p -t box '#{cursor_x} #{cursor_y}'"));
  cursor >> screen.cursorX >> screen.cursorY;
  return screen;
}

void Tmux::Send(const std::string& keys) const { Run("send-keys -t box " + keys); }

}  // namespace terminal_test
