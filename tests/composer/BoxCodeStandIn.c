/* The C calls that "Copy as code" writes, compiled against the real
 * <windows.h> so that every MB_ name is checked, with MessageBoxA standing
 * for a recorder: each call prints its text, caption and flags (the texts in
 * hex, each ended by a '.') instead of showing a box. BoxCodeTest.cpp writes
 * the calls into box-code-cases.h and compares what this prints with what
 * the native message hook passes to MessageBoxA. It then splits each
 * Windows command line in kCommandLines with Windows' own CommandLineToArgvW
 * and prints the arguments after the program's name. */
#include <stdio.h>
#include <windows.h>

static void PrintHex(const char* text) {
  printf(" ");
  for (const unsigned char* c = (const unsigned char*)text; text && *c; ++c) printf("%02x", *c);
  printf(".");
}

static int StandIn(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  (void)owner;
  printf("box");
  PrintHex(text);
  PrintHex(caption);
  printf(" %x\n", flags);
  return IDOK;
}

#define MessageBoxA StandIn
#include "box-code-cases.h"

int main(void) {
  ShowEveryBox();
  for (size_t i = 0; i < sizeof kCommandLines / sizeof kCommandLines[0]; ++i) {
    static wchar_t wide[8192];
    static char narrow[8192];
    int count = 0;
    MultiByteToWideChar(CP_ACP, 0, kCommandLines[i], -1, wide, 8192);
    LPWSTR* args = CommandLineToArgvW(wide, &count);
    printf("args");
    for (int a = 1; args && a < count; ++a) {
      WideCharToMultiByte(CP_ACP, 0, args[a], -1, narrow, sizeof narrow, NULL, NULL);
      PrintHex(narrow);
    }
    printf("\n");
    LocalFree(args);
  }
  return 0;
}
