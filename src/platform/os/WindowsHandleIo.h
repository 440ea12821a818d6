#pragma once
// Reading and writing a file through its handle on Windows, as the open file,
// the calls by path and the replace all do, and the system's file times.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/IoStatus.h"

namespace os::windows {

inline HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
// Writes every byte, at the file's end as one step when `atEnd`.
IoStatus WriteAt(HANDLE h, std::string_view bytes, bool atEnd);
// Reads the whole file from its start, whatever the handle's position.
IoStatus ReadHandle(HANDLE h, std::string& out);
// A file time as one number of 100 ns steps from 1601.
inline uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace os::windows
