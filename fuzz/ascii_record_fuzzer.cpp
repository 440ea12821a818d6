// The text driver's records as lines: fields of any bytes and sizes, fixed
// length or zero-terminated (a zero-terminated field may fill its bytes with
// no terminator), each added record is exactly one line of the file, without
// line breaks or NULs inside it and without trailing blanks, holding the
// record's bytes in order. What was added before stays as it was.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "ScratchFolder.h"
#include "platform/FileSystem.h"
#include "runtime/ErrorState.h"
#include "runtime/File.h"

namespace {

namespace fs = std::filesystem;

// The log file of this run, removed when the run ends.
struct LogFile {
  std::string path =
      (fuzz::ScratchFolder() / ("quibra-ascii-fuzz-" + std::to_string(std::random_device{}()) + ".log")).string();
  ~LogFile() {
    std::error_code ignored;
    fs::remove(path, ignored);
  }
};

const std::string& LogPath() {
  static const LogFile log;
  return log.path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// The line a record gives: its fields end to end (a zero-terminated one up
// to its terminator), line breaks and NULs as blanks, trailing blanks gone.
std::string Expected(const std::vector<std::vector<char>>& fields, const std::vector<bool>& terminated) {
  std::string line;
  for (std::size_t f = 0; f < fields.size(); ++f) {
    std::string bytes(fields[f].begin(), fields[f].end());
    if (terminated[f]) bytes = bytes.substr(0, bytes.find('\0'));
    line += bytes;
  }
  for (char& c : line)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

// Input: a byte giving the record's layout (up to four fields, each fixed or
// zero-terminated, of 1 to 64 bytes), then each record's field contents.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t count = 1 + data[0] % 4;
  std::vector<std::vector<char>> fields;
  std::vector<bool> terminated;
  std::vector<rt::FileField> record;
  for (std::size_t f = 0; f < count; ++f) {
    const uint8_t shape = data[1 + f < size ? 1 + f : 1];
    fields.emplace_back(1 + shape % 64, ' ');
    terminated.push_back(shape & 0x80);
  }
  for (std::size_t f = 0; f < count; ++f)
    record.push_back({"F" + std::to_string(f), terminated[f] ? rt::FieldType::CText : rt::FieldType::FixedText,
                      fields[f].data(), static_cast<uint32_t>(fields[f].size())});
  fuzz::Parts parts(data + std::min(size, 1 + count), size - std::min(size, 1 + count));

  const std::string path = LogPath();
  rt::File file("ASCII", path, record);
  fuzz::Check(file.Create() && file.Open(0x42), "the log file could not be made");
  std::string expected;
  for (int r = 0; r < 8 && !parts.Empty(); ++r) {
    for (std::size_t f = 0; f < count; ++f) {
      // Raw bytes into the field, as a program's record holds them.
      const std::string text = parts.Next();
      for (std::size_t k = 0; k < fields[f].size(); ++k) fields[f][k] = k < text.size() ? text[k] : ' ';
      if (terminated[f] && text.size() < fields[f].size()) fields[f][text.size()] = '\0';
    }
    const std::string line = Expected(fields, terminated);
    fuzz::Check(file.Add(), "a text record could not be added");
    expected += line + std::string(os::LineEnd());
  }
  fuzz::Check(file.Close(), "the log file could not be closed");
  fuzz::Check(ReadFile(path) == expected, "the file is not one line per record added");
  return 0;
}
