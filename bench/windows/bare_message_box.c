/* The least a Windows program does to show a message box: the yardstick of
 * bench/windows-startup.sh. Shows its command line as the text of an
 * information box titled as QuibraD's --info box, and ends when it closes.
 *
 *   bare_message_box.exe TEXT */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)show;
  return MessageBoxA(NULL, commandLine, "Information", MB_OK | MB_ICONINFORMATION) == IDOK ? 0 : 1;
}
