#pragma once
// Which family of operating systems the program was built for, where a
// person's expectations differ (how a command line is quoted, say).

namespace os {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

}  // namespace os
