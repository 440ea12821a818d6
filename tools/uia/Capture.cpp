#include "Capture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace uia {
namespace {

uint32_t Crc32(const uint8_t* data, std::size_t size, uint32_t crc = 0) {
  static uint32_t table[256];
  static bool made = false;
  if (!made) {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    made = true;
  }
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBig(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBig(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBig(out, Crc32(body.data(), body.size()));
}

// A zlib stream of stored (uncompressed) blocks: always valid, and small
// enough for window-sized pictures; the screenshot script recompresses.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    const bool last = at + n == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<uint8_t>(n & 0xFF));
    out.push_back(static_cast<uint8_t>(n >> 8));
    out.push_back(static_cast<uint8_t>(~n & 0xFF));
    out.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBig(out, (b << 16) | a);
  return out;
}

// Draws an icon the way a static control draws it, on a plain background.
Pixels RenderIcon(HICON icon, uint32_t background) {
  const int size = GetSystemMetrics(SM_CXICON);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
  RECT all{0, 0, size, size};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  Pixels p;
  p.width = size;
  p.height = size;
  p.rgb.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      p.rgb[static_cast<std::size_t>(y) * size + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return p;
}

int Distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int shift = 0; shift <= 16; shift += 8)
    d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  return d;
}

// The smallest mean difference per pixel of the icon at any place within the picture.
double BestFit(const Pixels& picture, const Pixels& icon) {
  double best = 1e9;
  for (int oy = 0; oy + icon.height <= picture.height; ++oy)
    for (int ox = 0; ox + icon.width <= picture.width; ++ox) {
      long long sum = 0;
      for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) sum += Distance(picture.At(ox + x, oy + y), icon.At(x, y));
      best = std::min(best, static_cast<double>(sum) / (icon.width * icon.height));
    }
  return best;
}

}  // namespace

Pixels Grab(const RECT& r) {
  Pixels p;
  p.width = r.right - r.left;
  p.height = r.bottom - r.top;
  if (p.width <= 0 || p.height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = p.width;
  info.bmiHeader.biHeight = -p.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, p.width, p.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  p.rgb.assign(px, px + static_cast<std::size_t>(p.width) * p.height);
  for (uint32_t& v : p.rgb) v &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return p;
}

Pixels GrabWindow(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return Grab(r);
}

bool WritePng(const Pixels& pixels, const std::string& path) {
  if (pixels.width <= 0 || pixels.height <= 0) return false;
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(pixels.height) * (1 + 3 * pixels.width));
  for (int y = 0; y < pixels.height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < pixels.width; ++x) {
      uint32_t v = pixels.At(x, y);
      raw.push_back(static_cast<uint8_t>(v >> 16));
      raw.push_back(static_cast<uint8_t>(v >> 8));
      raw.push_back(static_cast<uint8_t>(v));
    }
  }
  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBig(header, static_cast<uint32_t>(pixels.width));
  PutBig(header, static_cast<uint32_t>(pixels.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", ZlibStored(raw));
  Chunk(png, "IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

int IdentifyIcon(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
  Pixels picture = Grab(r);
  if (picture.width < GetSystemMetrics(SM_CXICON) || picture.height < GetSystemMetrics(SM_CYICON)) return 0;
  const uint32_t background = picture.At(0, 0);
  int bestIcon = 0;
  double bestScore = 1e9;
  for (int id : {32513, 32514, 32515, 32516}) {
    double score = BestFit(picture, RenderIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(id)), background));
    if (score < bestScore) {
      bestScore = score;
      bestIcon = id;
    }
  }
  // A near-exact match only: an empty control matches no icon.
  return bestScore < 8.0 ? bestIcon : 0;
}

}  // namespace uia
