// The error log: one line per message in "AppError.Log", opened at the first
// use and closed at the last, and never in the way of a message.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "ManagerTest.h"
#include "backends/headless/Headless.h"
#include "framework/error/ErrorManager.h"
#include "runtime/File.h"
#include "runtime/MessageBox.h"
#include "support/TempDir.h"

namespace {

using namespace quibra;
namespace fs = std::filesystem;

// Runs each test in a folder of its own, since the log lives in the current
// directory.
class LogFolder : public error_test::ManagerTest {
 protected:
  static std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::ifstream in(std::string(ErrorLogName), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  // Whether `text` has the form `shape`, in which each '9' stands for a digit.
  static bool HasShape(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
      const bool fits = shape[i] == '9' ? text[i] >= '0' && text[i] <= '9' : text[i] == shape[i];
      if (!fits) return false;
    }
    return true;
  }
  // What follows the date and time of a log line.
  static std::string TextOf(const std::string& line) {
    const std::size_t arrow = line.find(" --> ");
    return arrow == std::string::npos ? "<no arrow>" : line.substr(arrow + 5);
  }
  // True when another opener could take the log for itself alone, which it
  // cannot while the log holds the file open.
  static bool LogIsClosed() {
    if (!fs::exists(ErrorLogName)) return true;
    rt::FixedString<10> record;
    rt::File other("ASCII", ErrorLogName, {rt::FileField::Of("TXT", record)});
    if (!other.Open(0x12)) return false;
    other.Close();
    return true;
  }

  // Made before the manager is set up, and gone only after it is shut down.
  quibra_test::TempDir folder{true};
};

TEST_F(LogFolder, FirstMessageCreatesTheLogWithOneLineOfDateTimeArrowText) {
  manager.LOGERRORS = 1;
  manager.SILENT = 1;
  ASSERT_FALSE(fs::exists(ErrorLogName));
  manager.Raise(22);
  manager.Raise(12);
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(HasShape(lines[0], "9999-99-99@99:99:99 --> There are no records available to process.")) << lines[0];
  EXPECT_EQ(TextOf(lines[1]), "This form cannot be used to delete a record");
  EXPECT_EQ(manager.STDERRORLOG->USAGE, 0);
  EXPECT_TRUE(LogIsClosed()) << "the log is closed between messages";
}

TEST_F(LogFolder, NothingIsWrittenWhileLoggingIsOff) {
  manager.SILENT = 1;
  manager.Raise(22);
  EXPECT_FALSE(fs::exists(ErrorLogName));
}

TEST_F(LogFolder, ShownMessagesAreLoggedBeforeTheyAreShown) {
  manager.LOGERRORS = 1;
  std::size_t linesWhileShown = 0;
  headless::User().Run([&] { linesWhileShown = LogLines().size(); }).AnswerBox(rt::ButtonYes);
  EXPECT_EQ(manager.Raise(8), LevelOk);
  EXPECT_EQ(linesWhileShown, 1u);
  EXPECT_EQ(headless::Boxes().size(), 1u);
}

TEST_F(LogFolder, EachMessageIsOneLineAndLongOnesAreCutTo1024) {
  manager.LOGERRORS = 1;
  manager.SILENT = 1;
  manager.NoteFile("TWO\nLINES");
  manager.Raise(27);
  manager.NoteFile(std::string(254, 'x'));
  manager.Raise(19);  // "%File File Load Error.  Error: %ErrorText." with a long name: 1024 is not reached
  manager.MESSAGETEXT = std::string(254, 'm');
  for (int i = 0; i < 5; ++i) manager.Raise(44);  // "%Message " five times: each well under 1024
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(TextOf(lines[0]), "TWO LINES key file is invalid. Key must be rebuilt.");
  EXPECT_EQ(TextOf(lines[6]), std::string(254, 'm')) << "the record's trailing blank is not kept";
}

TEST_F(LogFolder, ALineLongerThanTheRecordIsCut) {
  ASSERT_EQ(manager.STDERRORLOG->BeginUse(false), LevelOk);
  EXPECT_EQ(manager.STDERRORLOG->WriteLine(std::string(1500, 'y')), LevelOk);
  EXPECT_EQ(manager.STDERRORLOG->EndUse(false), LevelOk);
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], std::string(1024, 'y'));
}

struct Obstacle {
  const char* label;
  void (*place)();
  void (*remove)();
};

rt::File* holder = nullptr;
rt::FixedString<10> holderRecord;

const Obstacle kObstacles[] = {
    {"held exclusively by another opener",
     [] {
       holder = new rt::File("ASCII", ErrorLogName, {rt::FileField::Of("TXT", holderRecord)});
       ASSERT_TRUE(holder->Create());
       ASSERT_TRUE(holder->Open(0x12));
     },
     [] {
       delete holder;
       holder = nullptr;
     }},
    {"a directory of that name", [] { fs::create_directory(ErrorLogName); }, [] { fs::remove(ErrorLogName); }},
#ifndef _WIN32
    // Missing, and cannot be made: the name links into a folder that does
    // not exist (a link needs a privilege on Windows).
    {"a link to nowhere", [] { fs::create_symlink("nowhere/log", ErrorLogName); }, [] { fs::remove(ErrorLogName); }},
#endif
};

TEST_F(LogFolder, ALogThatCannotBeOpenedNeverStopsAMessageAndIsTriedAgain) {
  manager.LOGERRORS = 1;
  for (const Obstacle& o : kObstacles) {
    SCOPED_TRACE(o.label);
    headless::Reset();
    o.place();
    headless::User().AnswerBox(rt::ButtonOk);
    EXPECT_EQ(manager.Raise(22), LevelNotify);
    EXPECT_EQ(headless::Boxes().size(), 1u) << "the message is shown all the same";
    EXPECT_EQ(manager.STDERRORLOG->BeginUse(false), LevelNotify) << "a caller of the log is told it cannot be had";
    EXPECT_EQ(manager.STDERRORLOG->USAGE, 0);
    o.remove();
    EXPECT_TRUE(LogLines().empty()) << "nothing was written";

    headless::User().AnswerBox(rt::ButtonOk);
    manager.Raise(12);
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u) << "the next message opens the log again and writes the one kept first";
    EXPECT_EQ(TextOf(lines[0]), "There are no records available to process.");
    EXPECT_EQ(TextOf(lines[1]), "This form cannot be used to delete a record");
    fs::remove(ErrorLogName);
  }
}

TEST_F(LogFolder, ALogHeldLongKeepsTheNewest100LinesAndCountsTheRest) {
  manager.LOGERRORS = 1;
  manager.SILENT = 1;
  kObstacles[0].place();
  for (int i = 0; i < 105; ++i) manager.Raise(i % 2 ? 12 : 22);
  kObstacles[0].remove();
  manager.Raise(22);
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 101u);
  EXPECT_EQ(TextOf(lines[0]), "6 earlier messages could not be logged");
  EXPECT_EQ(TextOf(lines[1]), "There are no records available to process.") << "the seventh message";
  EXPECT_EQ(TextOf(lines[2]), "This form cannot be used to delete a record") << "the eighth message";
  EXPECT_EQ(TextOf(lines[100]), "There are no records available to process.");
  manager.Raise(12);
  EXPECT_EQ(LogLines().size(), 102u) << "the count is written once: the next message adds only itself";
}

struct UsageStep {
  const char* label;
  enum { Begin, End, Write } op;
  bool force;
  Level result;
  int32_t usageAfter;
  bool openAfter;
};

TEST_F(LogFolder, UsesAreCountedAndTheLastOrAForcedEndCloses) {
  ErrorLogFile& log = *manager.STDERRORLOG;
  const UsageStep steps[] = {
      {"write before any use writes nothing", UsageStep::Write, false, LevelNotify, 0, false},
      {"end with nothing open", UsageStep::End, false, LevelOk, 0, false},
      {"forced end with nothing open", UsageStep::End, true, LevelOk, 0, false},
      {"first use opens", UsageStep::Begin, false, LevelOk, 1, true},
      {"second use counts", UsageStep::Begin, false, LevelOk, 2, true},
      {"write while open", UsageStep::Write, false, LevelOk, 2, true},
      {"end at 2 keeps it open", UsageStep::End, false, LevelOk, 1, true},
      {"use again", UsageStep::Begin, false, LevelOk, 2, true},
      {"forced end closes at any count", UsageStep::End, true, LevelOk, 0, false},
      {"write after the forced end writes nothing", UsageStep::Write, false, LevelNotify, 0, false},
      {"open again", UsageStep::Begin, false, LevelOk, 1, true},
      {"last end closes", UsageStep::End, false, LevelOk, 0, false},
  };
  for (const UsageStep& s : steps) {
    SCOPED_TRACE(s.label);
    Level result = 0;
    switch (s.op) {
      case UsageStep::Begin:
        result = log.BeginUse(s.force);
        break;
      case UsageStep::End:
        result = log.EndUse(s.force);
        break;
      case UsageStep::Write:
        result = log.WriteLine(s.label);
        break;
    }
    EXPECT_EQ(result, s.result);
    EXPECT_EQ(log.USAGE, s.usageAfter);
    EXPECT_EQ(!LogIsClosed(), s.openAfter);
  }
  EXPECT_EQ(LogLines(), std::vector<std::string>{"write while open"});
}

TEST_F(LogFolder, ShutdownClosesALogStillInUse) {
  ASSERT_EQ(manager.STDERRORLOG->BeginUse(false), LevelOk);
  ASSERT_EQ(manager.STDERRORLOG->BeginUse(false), LevelOk);
  manager.Shutdown();
  EXPECT_EQ(manager.STDERRORLOG, nullptr);
  EXPECT_EQ(manager.ERRORLOG, nullptr) << "no reference to the log that is gone";
  EXPECT_TRUE(LogIsClosed());
  manager.LOGERRORS = 1;
  manager.SILENT = 1;
  manager.Raise(22);  // after shutdown: nothing to log to, and no crash
  manager.Setup();
}

// A log of the program's own choosing, handed to Prepare.
class MemoryLog : public LogSink {
 public:
  Level EndUse(bool) override {
    calls.push_back("end");
    return LevelOk;
  }
  Level BeginUse(bool) override {
    calls.push_back("begin");
    return LevelNotify;  // a failure that must not stop anything
  }
  Level WriteLine(std::string_view text) override {
    calls.push_back("write " + std::string(text.substr(text.find(" --> ") + 5)));
    return LevelNotify;
  }
  std::vector<std::string> calls;
};

TEST_F(LogFolder, TheLogIsSharedWithEveryOtherProgramThatLogsToIt) {
  manager.LOGERRORS = 1;
  manager.SILENT = 1;
  manager.Raise(22);
  // Another program has the log open to read and write, sharing it.
  rt::FixedString<10> record;
  rt::File other("ASCII", ErrorLogName, {rt::FileField::Of("TXT", record)});
  ASSERT_TRUE(other.Open(0x42));
  manager.Raise(9);
  EXPECT_EQ(LogLines().size(), 2u) << "the message is logged beside the other program";

  // While this program holds the log, others may share it but not take it alone.
  ASSERT_EQ(manager.STDERRORLOG->BeginUse(false), LevelOk);
  rt::File third("ASCII", ErrorLogName, {rt::FileField::Of("TXT", record)});
  EXPECT_TRUE(third.Open(0x42));
  third.Close();
  rt::File alone("ASCII", ErrorLogName, {rt::FileField::Of("TXT", record)});
  EXPECT_FALSE(alone.Open(0x12));
  manager.STDERRORLOG->EndUse(false);
  other.Close();
}

TEST_F(LogFolder, PrepareTakesAnyLog) {
  MemoryLog memory;
  manager.Prepare(&memory);
  manager.LOGERRORS = 1;
  manager.HISTORYTHRESHOLD = 5;
  manager.SILENT = 1;
  manager.Raise(22);
  EXPECT_EQ(memory.calls,
            (std::vector<std::string>{"begin", "write There are no records available to process.", "end"}));
  EXPECT_EQ(manager.HISTORY->Records(), 1) << "a failing log does not stop the history";
  EXPECT_FALSE(fs::exists(ErrorLogName));
  manager.Prepare(&manager.STDERRORLOG->ERRORLOGINTERFACE);
}

}  // namespace
