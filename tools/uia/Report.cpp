#include "Report.h"

#include <cstdio>

namespace uia {

std::string Visible(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (static_cast<unsigned char>(c) < 32)
      out += "\\x" + std::to_string(static_cast<unsigned char>(c));
    else
      out += c;
  }
  return "\"" + out + "\"";
}

bool Report::Check(bool ok, const std::string& what) {
  ++checks_;
  if (!ok) ++failures_;
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  return ok;
}

bool Report::Equal(const std::string& actual, const std::string& expected, const std::string& what) {
  return Check(actual == expected,
               what + (actual == expected ? ": " + Visible(actual)
                                          : ": got " + Visible(actual) + ", expected " + Visible(expected)));
}

bool Report::Equal(long long actual, long long expected, const std::string& what) {
  return Check(actual == expected, what + (actual == expected ? ": " + std::to_string(actual)
                                                              : ": got " + std::to_string(actual) + ", expected " +
                                                                    std::to_string(expected)));
}

void Report::Note(const std::string& text) {
  std::printf("     %s\n", text.c_str());
  std::fflush(stdout);
}

}  // namespace uia
