#include "backends/terminal/Terminal.h"

#include <curses.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "backends/terminal/CursesAttr.h"
#include "backends/terminal/LineQuestion.h"
#include "runtime/BoxRules.h"
#include "backends/terminal/TextCells.h"

namespace terminal {
namespace {

constexpr const char* kTerminalPath = "/dev/tty";

// What the signal handlers need to give the terminal back, kept where a
// handler can reach it without calling into ncurses, whose endwin is not
// safe in a signal handler: the mode the terminal was in before the box,
// and the bytes that leave the alternate screen and show the cursor again.
int ttyFd = -1;
struct termios shellMode;
char restoreBytes[256];
std::size_t restoreLength = 0;
volatile sig_atomic_t restoreArmed = 0;

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
struct sigaction previousActions[std::size(kEndingSignals)];

void RestoreTerminal() {
  if (!restoreArmed) return;
  restoreArmed = 0;
  if (restoreLength > 0 && write(ttyFd, restoreBytes, restoreLength) < 0) {
    // Nothing more can be done from here.
  }
  tcsetattr(ttyFd, TCSANOW, &shellMode);
}

// Gives the terminal back, then lets the signal end the program as it would
// have: the handler was reset to the default action as it ran.
void OnEndingSignal(int signal) {
  const int saved = errno;
  RestoreTerminal();
  raise(signal);
  errno = saved;
}

void AddRestoreBytes(const char* capability) {
  char* bytes = tigetstr(const_cast<char*>(capability));
  if (bytes == nullptr || bytes == reinterpret_cast<char*>(-1)) return;
  const std::size_t n = std::strlen(bytes);
  if (restoreLength + n > sizeof restoreBytes) return;
  std::memcpy(restoreBytes + restoreLength, bytes, n);
  restoreLength += n;
}

void ArmSignals() {
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    struct sigaction action {};
    action.sa_handler = &OnEndingSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(kEndingSignals[i], &action, &previousActions[i]);
    // A signal the program was started to ignore stays ignored.
    if (previousActions[i].sa_handler == SIG_IGN) sigaction(kEndingSignals[i], &previousActions[i], nullptr);
  }
}

void DisarmSignals() {
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
    sigaction(kEndingSignals[i], &previousActions[i], nullptr);
}

bool HasCapability(const char* name) {
  char* value = tigetstr(const_cast<char*>(name));
  return value != nullptr && value != reinterpret_cast<char*>(-1) && *value != 0;
}

void ExitHook() {
  if (restoreArmed) {
    endwin();
    restoreArmed = 0;
  }
}

}  // namespace

Terminal& Terminal::Get() {
  static Terminal terminal;
  return terminal;
}

bool Terminal::AtHand() {
  const int fd = open(kTerminalPath, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool Terminal::Begin() {
  if (depth_++ > 0) return tty_ != nullptr;
  asked_ = false;
  pending_.clear();
  FILE* tty = std::fopen(kTerminalPath, "r+e");
  if (!tty) {
    depth_ = 0;
    return false;
  }
  tty_ = tty;
  ttyFd = fileno(tty);
  const char* term = std::getenv("TERM");
  if (!term || !*term || std::string_view(term) == "dumb") return true;  // one line it is
  if (tcgetattr(ttyFd, &shellMode) != 0) return true;
  // Our handlers first, so that ncurses leaves these signals to them.
  ArmSignals();
  // The terminal's own character set, as the user's locale names it, so
  // that text beyond ASCII is drawn as characters rather than as bytes.
  std::setlocale(LC_CTYPE, "");
  SCREEN* screen = newterm(nullptr, tty, tty);
  if (!screen) {
    DisarmSignals();
    return true;
  }
  set_term(screen);
  if (!HasCapability("cup")) {
    // A terminal that cannot place the cursor is asked in one line.
    endwin();
    delscreen(screen);
    tcsetattr(ttyFd, TCSANOW, &shellMode);
    DisarmSignals();
    return true;
  }
  screen_ = screen;
  restoreLength = 0;
  AddRestoreBytes("sgr0");
  AddRestoreBytes("cnorm");
  AddRestoreBytes("rmcup");
  restoreArmed = 1;
  static bool hooked = false;
  if (!hooked) hooked = std::atexit(&ExitHook) == 0;
  // Ctrl+C arrives as a key, and answers as the close box does.
  raw();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(25);
  mousemask(BUTTON1_CLICKED | BUTTON1_RELEASED, nullptr);
  mouseinterval(0);
  lineDrawing_ = HasCapability("acsc");
  if (has_colors()) {
    start_color();
    use_default_colors();
    init_pair(PairBox, COLOR_BLACK, COLOR_WHITE);
    init_pair(PairFocus, COLOR_WHITE, COLOR_BLUE);
    init_pair(PairAlert, COLOR_RED, COLOR_WHITE);
    init_pair(PairKey, COLOR_RED, COLOR_WHITE);
    init_pair(PairIcon, COLOR_BLUE, COLOR_WHITE);
    init_pair(PairField, COLOR_BLACK, COLOR_CYAN);
  }
  return true;
}

void Terminal::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  if (screen_) {
    erase();
    refresh();
    endwin();
    delscreen(static_cast<SCREEN*>(screen_));
    screen_ = nullptr;
    restoreArmed = 0;
    // endwin gave the terminal its mode back; the handlers go too.
    DisarmSignals();
  }
  if (tty_) std::fclose(static_cast<FILE*>(tty_));
  tty_ = nullptr;
  ttyFd = -1;
}

void Terminal::Size(int& columns, int& rows) const {
  columns = 80;
  rows = 24;
  if (screen_) {
    columns = COLS;
    rows = LINES;
    return;
  }
  const int fd = open(kTerminalPath, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  struct winsize size {};
  if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    columns = size.ws_col;
    rows = size.ws_row;
  }
  close(fd);
}

Key Terminal::ReadKey(int milliseconds, int& clickX, int& clickY) {
  wtimeout(stdscr, milliseconds);
  const int ch = wgetch(stdscr);
  switch (ch) {
    case ERR:
      return {};
    case '\t':
      return {KeyName::Tab};
    case KEY_BTAB:
      return {KeyName::BackTab};
    case KEY_LEFT:
      return {KeyName::Left};
    case KEY_RIGHT:
      return {KeyName::Right};
    case KEY_UP:
      return {KeyName::Up};
    case KEY_DOWN:
      return {KeyName::Down};
    case KEY_PPAGE:
      return {KeyName::PageUp};
    case KEY_NPAGE:
      return {KeyName::PageDown};
    case KEY_HOME:
      return {KeyName::Home};
    case KEY_END:
      return {KeyName::End};
    case '\r':
    case '\n':
    case KEY_ENTER:
      return {KeyName::Enter};
    case ' ':
      return {KeyName::Space};
    case 3:
      return {KeyName::Interrupt};
    case KEY_RESIZE:
      return {KeyName::Resize};
    case KEY_MOUSE: {
      MEVENT event;
      if (getmouse(&event) != OK || !(event.bstate & (BUTTON1_CLICKED | BUTTON1_RELEASED))) return {KeyName::Resize};
      clickX = event.x;
      clickY = event.y;
      return {KeyName::Click};
    }
    case 27: {
      // Escape alone, or Alt with a key (sent as Escape and the key).
      wtimeout(stdscr, 0);
      const int next = wgetch(stdscr);
      if (next == ERR || next > 255) return {KeyName::Escape};
      return {KeyName::Alt, static_cast<char>(next)};
    }
    case KEY_BACKSPACE:
    case 127:
    case 8:
      return {KeyName::Backspace};
    case KEY_DC:
      return {KeyName::Delete};
    default:
      if (ch >= KEY_F(1) && ch <= KEY_F(24)) return {KeyName::Function, static_cast<char>(ch - KEY_F0)};
      if (ch > 32 && ch < 127) return {KeyName::Char, static_cast<char>(ch)};
      // A letter of Latin-1 typed in UTF-8 is the one byte the program's texts hold.
      if (ch == 0xC2 || ch == 0xC3) {
        wtimeout(stdscr, 0);
        const int next = wgetch(stdscr);
        if (next >= 0x80 && next <= 0xBF) return {KeyName::Char, static_cast<char>(((ch & 0x1F) << 6) | (next & 0x3F))};
      }
      return {KeyName::Resize};  // drawn again, and otherwise nothing
  }
}

void Terminal::Show(const std::function<void()>& paint) {
  erase();
  paint();
  refresh();
}

bool Terminal::Send(const std::string& bytes) {
  if (tty_) {
    std::fflush(static_cast<FILE*>(tty_));
    return write(fileno(static_cast<FILE*>(tty_)), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  const int fd = open(kTerminalPath, O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool sent = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  close(fd);
  return sent;
}

void Terminal::Paint(const BoxModel& box, const BoxLayout& l) {
  const chtype boxAttr = Attr(PairBox, A_NORMAL);
  const chtype frameAttr = box.systemModal ? Attr(PairAlert, A_NORMAL) | A_BOLD : boxAttr;
  erase();
  if (backdrop_) backdrop_();
  const int right = l.x + l.width - 1, bottom = l.y + l.height - 1;
  Frame(l.x, l.y, l.width, l.height, frameAttr, boxAttr, lineDrawing_);
  if (!box.title.empty()) {
    const std::size_t room = static_cast<std::size_t>(std::max(0, l.width - 8));
    Put(l.y, l.x + 2, " " + box.title.substr(0, CellBytes(box.title, static_cast<int>(room))) + " ", frameAttr | A_BOLD);
  }
  if (box.escapeValue) Put(l.closeBox.y, l.closeBox.x, "[x]", frameAttr);
  if (const char* sign = IconSign(box.icon); *sign) Put(l.icon.y, l.icon.x, sign, Attr(PairIcon, A_NORMAL) | A_BOLD);
  const std::size_t width = static_cast<std::size_t>(l.textWidth - (l.scrolls ? 2 : 0));
  for (std::size_t i = 0; i < l.shownLines && box.top + i < box.lines.size(); ++i) {
    const std::string_view line = box.lines[box.top + i];
    Put(l.textY + static_cast<int>(i), l.textX, line.substr(0, CellBytes(line, static_cast<int>(width))), boxAttr);
  }
  if (l.scrolls) {
    // A scroll bar beside the text, and where the text stands below it.
    const int barX = l.textX + l.textWidth - 1;
    const std::size_t total = box.lines.size(), shown = l.shownLines;
    const std::size_t thumb = shown > 1 ? box.top * (shown - 1) / std::max<std::size_t>(1, total - shown) : 0;
    for (std::size_t i = 0; i < shown; ++i)
      mvaddch(l.textY + static_cast<int>(i), barX, (i == thumb ? '#' : ':') | boxAttr);
    const std::string where = " lines " + std::to_string(box.top + 1) + "-" + std::to_string(box.top + shown) + " of " +
                              std::to_string(total) + " ";
    Put(bottom, std::max(l.x + 1, right - 1 - static_cast<int>(where.size())), where, frameAttr);
  }
  if (box.HasCheckBox()) {
    const std::string caption = rt::WithoutAccessKeys(box.checkBox);
    const chtype attr = box.CheckBoxFocused() ? Attr(PairFocus, A_REVERSE) : boxAttr;
    Put(l.checkBox.y, l.checkBox.x, std::string(box.checked ? "[X] " : "[ ] ") + caption, attr);
    PutAccessKey(l.checkBox.y, l.checkBox.x + 4, caption, rt::AccessKeyPlace(box.checkBox), attr);
  }
  for (std::size_t i = 0; i < l.labels.size(); ++i) {
    const bool focused = box.focus == i;
    const chtype attr = focused ? Attr(PairFocus, A_REVERSE) | A_BOLD : boxAttr;
    Put(l.buttons[i].y, l.buttons[i].x, l.labels[i], attr);
    PutAccessKey(l.buttons[i].y, l.buttons[i].x, l.labels[i], l.accessKeys[i],
                 focused ? attr : Attr(PairKey, A_NORMAL));
  }
  // The cursor stands on what has the focus, where a screen reader looks.
  if (box.CheckBoxFocused())
    move(l.checkBox.y, l.checkBox.x + 1);
  else if (box.focus < l.buttons.size())
    move(l.buttons[box.focus].y, l.buttons[box.focus].x + 2);
  refresh();
}

KeyOutcome Terminal::Step(BoxModel& box, int milliseconds, bool& timedOut) {
  timedOut = false;
  if (!screen_) return AskLine(box, milliseconds, timedOut);
  for (;;) {
    const BoxLayout layout = LayOut(box, COLS, LINES);
    Paint(box, layout);
    int x = -1, y = -1;
    const Key key = ReadKey(milliseconds, x, y);
    if (key.name == KeyName::None) {
      timedOut = true;
      return {};
    }
    if (key.name == KeyName::Click) {
      for (std::size_t i = 0; i < layout.buttons.size(); ++i)
        if (y == layout.buttons[i].y && x >= layout.buttons[i].x &&
            x < layout.buttons[i].x + Cells(layout.labels[i])) {
          box.focus = i;
          return {KeyOutcome::Kind::Press, i};
        }
      if (box.escapeValue && y == layout.closeBox.y && x >= layout.closeBox.x && x < layout.closeBox.x + 3)
        return {KeyOutcome::Kind::Dismiss, 0};
      if (box.HasCheckBox() && y == layout.checkBox.y && x >= layout.checkBox.x) {
        box.checked = !box.checked;
        box.focus = box.buttons.size();
        return {KeyOutcome::Kind::Redraw, 0};
      }
      continue;
    }
    const KeyOutcome outcome = HandleKey(box, key, layout.shownLines);
    if (outcome.kind != KeyOutcome::Kind::Nothing) return outcome;
  }
}

KeyOutcome Terminal::AskLine(BoxModel& box, int milliseconds, bool& timedOut) {
  auto say = [this](const std::string& text) {
    std::fputs(text.c_str(), static_cast<FILE*>(tty_));
    std::fflush(static_cast<FILE*>(tty_));
  };
  if (!asked_) {
    say(LinePrompt(box));
    asked_ = true;
  }
  for (;;) {
    struct pollfd in {
      ttyFd, POLLIN, 0
    };
    const int ready = poll(&in, 1, milliseconds);
    if (ready == 0) {
      timedOut = true;
      return {};
    }
    if (ready < 0) {
      if (errno == EINTR) continue;
      return {KeyOutcome::Kind::Abandon, 0};
    }
    char ch = 0;
    const ssize_t got = read(ttyFd, &ch, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      say("\n");
      return {KeyOutcome::Kind::Abandon, 0};
    }
    if (ch != '\n') {
      pending_ += ch;
      continue;
    }
    const std::optional<LineChoice> choice = LineAnswer(box, pending_);
    pending_.clear();
    if (choice) {
      box.checked = box.checked != choice->ticked;
      box.focus = choice->button;
      return {KeyOutcome::Kind::Press, choice->button};
    }
    say(LinePrompt(box));
  }
}

}  // namespace terminal
