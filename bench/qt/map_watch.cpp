// Times a program from its start to its first window on the screen.
//
//   map_watch <settle-ms> <program> [arguments...]
//
// Starts the program, waits for the X server to map its first top-level
// window (without a window manager a top-level window is a child of the root
// window, so the root hears of it), reads the processor time the program has
// used so far, waits `settle-ms` more so that the program finishes drawing,
// reads its peak resident memory, ends it, and prints
// "<milliseconds to the map> <peak memory in kB> <processor milliseconds to the map>".
// Gives up after 20 s.
//
// On a shared machine much of the time to the map is spent waiting for a
// processor; the processor time changes far less with the load, so the two
// together tell a slow program from a slow moment.
#include <X11/Xlib.h>
#include <dirent.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

long PeakKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// The processor time of every thread the program has now: a thread that has
// already ended is not counted, nor is a process the program started.
double ProcessorMilliseconds(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (!dir) return -1;
  double nanoseconds = 0;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
    double onProcessor = 0;
    if (stat >> onProcessor) nanoseconds += onProcessor;
  }
  closedir(dir);
  return nanoseconds / 1e6;
}

void End(pid_t pid) {
  kill(-pid, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(10000);
  }
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: map_watch <settle-ms> <program> [arguments...]\n");
    return 2;
  }
  const int settle = std::atoi(argv[1]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "map_watch: cannot open the display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const double start = Now();
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);  // its own group, so that ending it ends its helpers too
    execvp(argv[2], argv + 2);
    std::perror("map_watch: exec");
    _exit(127);
  }
  const int fd = ConnectionNumber(display);
  double mapped = -1;
  double processor = -1;
  while (mapped < 0 && Now() - start < 20000) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) {
        mapped = Now() - start;
        processor = ProcessorMilliseconds(pid);
        break;
      }
    }
    if (mapped >= 0 || waitpid(pid, nullptr, WNOHANG) == pid) break;
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(fd, &ready);
    timeval wait{0, 20000};
    select(fd + 1, &ready, nullptr, nullptr, &wait);
  }
  if (mapped < 0) {
    std::fprintf(stderr, "map_watch: %s mapped no window\n", argv[2]);
    End(pid);
    return 1;
  }
  usleep(static_cast<useconds_t>(settle) * 1000);
  const long peak = PeakKilobytes(pid);
  End(pid);
  std::printf("%.1f %ld %.1f\n", mapped, peak, processor);
  return 0;
}
