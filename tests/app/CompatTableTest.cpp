// The command line beside zenity and kdialog, row by row of the one table
// (tests/compat/message-boxes.tsv) that `make compat` also runs through the
// real tools: each row's command line shown on the headless backend, the
// person's action taken, and the exit status, standard output and what the
// box showed compared with the row.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/RunCommandLine.h"
#include "composer/CommandLine.h"
#include "runtime/BoxRules.h"
#include "support/HeadlessTest.h"
#include "support/TempDir.h"

extern const char kCompatTable[];  // the table's text, built in

namespace {

using Words = std::vector<std::string>;

// Words split at blanks, '...' and "..." quoting a word literally.
Words SplitWords(const std::string& line) {
  Words words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\'' || c == '"') {
      const std::size_t end = line.find(c, i + 1);
      word += line.substr(i + 1, end - i - 1);
      i = end == std::string::npos ? line.size() : end;
      inWord = true;
    } else if (c == ' ') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// The table's '\n' for a line end ('-' for nothing).
std::string Unescaped(const std::string& text) {
  if (text == "-") return {};
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 't' || text[i + 1] == '\\')) {
      const char c = text[++i];
      out += c == 'n' ? '\n' : c == 't' ? '\t' : '\\';
    } else {
      out += text[i];
    }
  }
  return out;
}

struct Row {
  int line;
  std::string label, args, action, stdoutText, shows, stderrText, oursShows;
  int32_t status;
};

std::vector<Row> Rows() {
  std::vector<Row> rows;
  std::istringstream table(kCompatTable);
  std::string text;
  for (int number = 1; std::getline(table, text); ++number) {
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string> cells;
    std::istringstream line(text);
    for (std::string cell; std::getline(line, cell, '\t');) cells.push_back(cell);
    if (cells.size() < 6) ADD_FAILURE() << "line " << number << " has " << cells.size() << " columns: " << text;
    if (cells.size() < 6) continue;
    rows.push_back({number, cells[0], cells[1], cells[2], cells[4], cells[5], cells.size() > 6 ? cells[6] : "",
                    cells.size() > 7 ? cells[7] : "", std::stoi(cells[3])});
  }
  return rows;
}

// What the box showed, as the row's 'key=value' items name it.
std::string Shown(const std::string& key, const headless::BoxRecord& box) {
  if (key == "title") return box.caption;
  if (key == "buttons") {
    // As the box first shows them: a countdown on its default button.
    std::string buttons;
    for (std::size_t i = 0; i < box.captions.size(); ++i) {
      const bool counting = box.values[i] == box.defaultValue && !box.countdown.empty();
      buttons +=
          (buttons.empty() ? "" : ",") + rt::WithoutAccessKeys(counting ? box.countdown.front() : box.captions[i]);
    }
    return buttons;
  }
  if (key == "default") {
    for (std::size_t i = 0; i < box.values.size(); ++i)
      if (box.values[i] == box.defaultValue) return rt::WithoutAccessKeys(box.captions[i]);
    return "";
  }
  if (key == "icon") {
    if (!box.request.themedIcon.empty()) return box.request.themedIcon;
    std::string name = rt::IconName(box.icon);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name.empty() ? "none" : name;
  }
  if (key == "text") {
    std::string text;
    for (const std::string& line : box.lines) text += (&line == &box.lines.front() ? "" : "\n") + line;
    return text;
  }
  return "<no such key " + key + ">";
}

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

class CompatTable : public quibra_test::HeadlessTest {};

TEST_F(CompatTable, EveryRowGivesTheToolsStatusOutputAndBox) {
  // Remembered answers go to a folder of the test's own, for the whole table.
  quibra_test::TempDir settings;
  SetVariable("XDG_CONFIG_HOME", settings.Path().string());
  SetVariable("LOCALAPPDATA", settings.Path().string());
  const std::vector<Row> rows = Rows();
  ASSERT_GE(rows.size(), 40u);
  for (const Row& row : rows) {
    // Rows of what the real tool does where this program does otherwise.
    if (row.label.rfind("zenity only:", 0) == 0 || row.label.rfind("kdialog only:", 0) == 0) continue;
    SCOPED_TRACE("line " + std::to_string(row.line) + ": " + row.label);
    headless::Reset();
    Words words = SplitWords(row.args);
    ASSERT_FALSE(words.empty());
    words.erase(words.begin());
    const quibra::ParsedCommandLine parsed = quibra::ParseCommandLine(words);
    std::istringstream in;
    std::ostringstream out, err;
    int32_t status = parsed.status;
    if (parsed.Ok()) {
      const std::string& act = row.action;
      const std::string tick = "tick+press:";
      if (act == "enter") headless::User().PressBoxButton("");
      if (act == "escape") headless::User().EscapeBox();
      if (act == "close") headless::User().CloseBox();
      if (act == "wait") headless::User().Wait(parsed.line.request.timeout * 1000);
      if (act.rfind("press:", 0) == 0) headless::User().PressBoxButton(act.substr(6));
      if (act.rfind(tick, 0) == 0) headless::User().TickBox().PressBoxButton(act.substr(tick.size()));
      try {
        status = quibra::RunCommandLine(parsed.line, "quibrad", in, out, err);
      } catch (const headless::ScriptError& e) {
        ADD_FAILURE() << e.what();
        continue;
      }
      err << parsed.warning;
    } else {
      err << parsed.error;
    }
    EXPECT_EQ(status, row.status);
    EXPECT_EQ(out.str(), Unescaped(row.stdoutText));
    const std::vector<headless::BoxRecord> boxes = headless::Boxes();
    ASSERT_EQ(boxes.size(), row.action == "none" ? 0u : 1u);
    if (row.label.rfind("ours only:", 0) == 0 && !row.stderrText.empty())
      EXPECT_NE(err.str().find(row.stderrText), std::string::npos) << err.str();
    if (boxes.empty()) continue;
    // What the real tool shows, but where this program's box differs on purpose.
    std::map<std::string, std::string> expected;
    for (const std::string& cell : {row.shows, row.oursShows}) {
      for (std::size_t start = 0; cell != "-" && start < cell.size();) {
        std::size_t end = cell.find("; ", start);
        if (end == std::string::npos) end = cell.size();
        const std::string item = cell.substr(start, end - start);
        start = end + 2;
        const std::size_t eq = item.find('=');
        ASSERT_NE(eq, std::string::npos) << item;
        expected[item.substr(0, eq)] = Unescaped(item.substr(eq + 1));
      }
    }
    for (const auto& [key, value] : expected) EXPECT_EQ(Shown(key, boxes[0]), value) << key;
    EXPECT_TRUE(headless::User().Remaining().empty());
  }
}

}  // namespace
