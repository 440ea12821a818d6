#pragma once
// What a person sees: pixels taken from the screen, written to PNG files
// (the screenshots in docs/), and the stock icon a control shows, told by
// comparing its pixels with the system's own icons.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace uia {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, row by row from the top
  uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// The screen's pixels in a rectangle of screen coordinates.
Pixels Grab(const RECT& screen);
// The whole window, frame and title included.
Pixels GrabWindow(HWND hwnd);
// Writes the pixels as a PNG image; false when the file cannot be written.
bool WritePng(const Pixels& pixels, const std::string& path);

// Which of the four message-box icons (IDI_HAND, IDI_QUESTION,
// IDI_EXCLAMATION, IDI_ASTERISK) a control shows, as its resource number;
// 0 when it shows none of them. The icon may stand anywhere in the control.
int IdentifyIcon(HWND control);

}  // namespace uia
