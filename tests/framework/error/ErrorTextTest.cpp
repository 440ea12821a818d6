// Placeholder substitution and the expansion of message templates.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ManagerTest.h"
#include "framework/error/ErrorManager.h"
#include "framework/error/ReplaceAll.h"
#include "platform/ThisOs.h"
#include "runtime/ErrorState.h"

namespace {

using namespace quibra;

struct ReplaceCase {
  const char* label;
  std::string text;
  std::size_t capacity;
  std::string placeholder;
  std::string value;
  std::string expected;
};

TEST(ReplaceAll, Cases) {
  const ReplaceCase cases[] = {
      {"every occurrence", "a %X b %X c", 100, "%X", "1", "a 1 b 1 c"},
      {"case does not matter", "%file %FILE %File %fIlE", 100, "%File", "F", "F F F F"},
      {"case does not matter from a to z", "%az %AZ %Az", 100, "%aZ", "-", "- - -"},
      {"no occurrence", "plain text", 100, "%File", "F", "plain text"},
      {"at the very start and end", "%X-%X", 100, "%X", "ab", "ab-ab"},
      {"adjacent", "%X%X%X", 100, "%X", "1", "111"},
      {"empty value removes", "a%Xb", 100, "%X", "", "ab"},
      {"value holding the placeholder is not expanded again", "<%X>", 100, "%X", "%X%x", "<%X%x>"},
      {"partial placeholder stays", "%Fil and %", 100, "%File", "F", "%Fil and %"},
      {"empty placeholder changes nothing", "abc", 100, "", "zz", "abc"},
      {"longer value is cut at capacity - 1", "ab%Xcd", 6, "%X", "12345", "ab123"},
      {"tail is cut when the value grows the text", "%X-tail", 8, "%X", "12345", "12345-t"},
      {"cut inside the value ends the search", "%X%X", 4, "%X", "abcdef", "abc"},
      {"value ending exactly at the limit", "%X%X", 6, "%X", "abcde", "abcde"},
      {"capacity of one holds nothing", "", 1, "%X", "abc", ""},
      {"shrinking keeps the tail", "x%LONGNAMEy%longnamez", 100, "%LongName", "-", "x-y-z"},
  };
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::string buffer(c.capacity, '#');
    std::memcpy(buffer.data(), c.text.c_str(), std::min(c.text.size() + 1, c.capacity));
    ReplaceAll(buffer.data(), c.capacity, c.placeholder, c.value);
    EXPECT_EQ(std::string(buffer.c_str()), c.expected);
  }
}

// Where texts are UTF-8, a value or a tail that does not fit is cut before
// the character it would split; elsewhere every byte is a character.
TEST(ReplaceAll, ACutNeverSplitsACharacter) {
  const std::string e = "\xC3\xA9";         // é, two bytes
  const std::string euro = "\xE2\x82\xAC";  // €, three bytes
  const ReplaceCase cases[] = {
      {"the value's last character does not fit", "ab%X", 6, "%X", e + e,
       os::TextIsUtf8() ? "ab" + e : "ab" + e + "\xC3"},
      {"the tail's first character does not fit", "%X" + e, 5, "%X", "abc", os::TextIsUtf8() ? "abc" : "abc\xC3"},
      {"a three-byte character with one byte of room", "%X", 4, "%X", "ab" + euro, os::TextIsUtf8() ? "ab" : "ab\xE2"},
      {"a character that fits exactly stays", "%X", 6, "%X", "ab" + euro, "ab" + euro},
  };
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::string buffer(c.capacity, '#');
    std::memcpy(buffer.data(), c.text.c_str(), std::min(c.text.size() + 1, c.capacity));
    ReplaceAll(buffer.data(), c.capacity, c.placeholder, c.value);
    EXPECT_EQ(std::string(buffer.c_str()), c.expected);
  }
}

TEST(ReplaceAll, BufferWithoutTerminatorIsTakenAsFullAndTerminated) {
  char buffer[5] = {'a', 'b', '%', 'X', 'y'};  // no terminator anywhere
  ReplaceAll(buffer, sizeof buffer, "%X", "1");
  EXPECT_STREQ(buffer, "ab1");
}

class ExpandText : public error_test::ManagerTest {
 protected:
  void SetUp() override {
    rt::ClearError();
    ManagerTest::SetUp();
  }

  // Loads a one-entry table with this template for id 500 and makes it current.
  std::string Expand(const std::string& message) {
    Load(500, LevelNotify, "T", message);
    EXPECT_EQ(manager.Locate(500), LevelOk);
    return manager.ExpandText();
  }
  std::string ExpandId(uint16_t id) {
    EXPECT_EQ(manager.Locate(id), LevelOk);
    return manager.ExpandText();
  }
};

struct ExpandCase {
  const char* label;
  const char* message;
  const char* fileName;
  int32_t errorCode;
  const char* errorText;
  const char* fileErrorCode;
  const char* fileErrorText;
  const char* expected;
};

TEST_F(ExpandText, Placeholders) {
  const ExpandCase cases[] = {
      {"no placeholders", "Are you sure?", "ORDERS", 2, "Disk error", "", "", "Are you sure?"},
      {"%File in any case", "%file|%FILE|%File", "ORDERS", 0, "", "", "", "ORDERS|ORDERS|ORDERS"},
      {"%ErrorText", "Error: (%ErrorText) creating %File.", "ORDERS", 2, "Disk error", "", "",
       "Error: (Disk error (2)) creating ORDERS."},
      {"%ErrorText of a driver error (90)", "Error: (%ErrorText) creating %File.", "ORDERS", 90, "File System Error",
       "112", "Media fault", "Error: (Media fault (112)) creating ORDERS."},
      {"%ErrorText with nothing captured", "[%ErrorText]", "", 0, "", "", "", "[ (0)]"},
      {"%ErrorCode with nothing captured", "code %ErrorCode", "", 0, "", "", "", "code 0"},
      {"%ErrorCode is decimal", "code %ErrorCode", "", -35, "x", "", "", "code -35"},
      {"%Error alone", "%Error!", "", 5, "Access Denied", "", "", "Access Denied!"},
      {"%FileError is not %File + Error", "%FileError", "ORDERS", 90, "", "112", "Media fault", "Media fault"},
      {"%FileErrorCode", "(%FileErrorCode)", "ORDERS", 90, "", "112", "Media fault", "(112)"},
      {"%Message and %Field are empty", "[%Message][%Field]", "F", 0, "", "", "", "[][]"},
      {"%Procedure without a name", "[%Procedure]", "", 0, "", "", "", "[]"},
      {"%Category is the entry's own, empty by default", "[%Category]", "", 0, "", "", "", "[]"},
      {"a file name holding %File expands once", "<%File>", "A%FileB", 0, "", "", "", "<A%FileB>"},
      {"a file name holding %Field is expanded again", "<%File>", "A%FieldB", 0, "", "", "", "<AB>"},
      {"a file name holding %Error takes the error text", "<%File>", "A%ErrorB", 2, "E", "", "", "<AEB>"},
      {"%% before a placeholder", "%%File", "X", 0, "", "", "", "%X"},
      {"%previous in another spelling stays", "a %previous b", "", 0, "", "", "", "a %previous b"},
      {"empty template", "", "ORDERS", 0, "", "", "", ""},
  };
  for (const ExpandCase& c : cases) {
    SCOPED_TRACE(c.label);
    manager.NoteFile(c.fileName);
    manager.SAVEERRORCODE = c.errorCode;
    manager.SAVEERROR = c.errorText;
    manager.SAVEFILEERRORCODE = c.fileErrorCode;
    manager.SAVEFILEERROR = c.fileErrorText;
    EXPECT_EQ(Expand(c.message), c.expected);
  }
}

TEST_F(ExpandText, CapturedErrorStateFillsTheDefaultTemplates) {
  rt::SetError(2, "Disk error   ");
  manager.CaptureErrorState();
  manager.NoteFile("ORDERS   ");
  EXPECT_EQ(ExpandId(10), "Error: (Disk error (2)) creating ORDERS.") << "texts are clipped of trailing blanks";

  rt::SetFileError("112", "Media fault");
  manager.CaptureErrorState();
  EXPECT_EQ(manager.SAVEERRORCODE, 90);
  EXPECT_EQ(ExpandId(10), "Error: (Media fault (112)) creating ORDERS.");
  EXPECT_EQ(ExpandId(4),
            "An error was experienced during the creation of a record.|File: ORDERS|"
            "Error: Media fault (112).");
}

TEST_F(ExpandText, CapturedTextsAreCutToTheirFields) {
  rt::SetFileError(std::string(300, '7'), std::string(400, 'f'));
  manager.CaptureErrorState();
  EXPECT_EQ(manager.SAVEFILEERRORCODE.view().size(), 254u);
  EXPECT_EQ(manager.SAVEFILEERROR.view().size(), 254u);
  manager.NoteFile(std::string(260, 'n'));
  EXPECT_EQ(manager.FILENAME.view(), std::string(254, 'n'));
}

TEST_F(ExpandText, ProcedureIsTheCallingThreadsNewestName) {
  manager.TrackProcedure("Outer", false);
  manager.TrackProcedure("Main   ", false);
  EXPECT_EQ(Expand("in %Procedure."), "in Main.");
}

TEST_F(ExpandText, CategoryIsTheEntrysOwnNotTheDefault) {
  EXPECT_EQ(Expand("[%Category]"), "[]");
  manager.AssignCategory(500, "Orders");
  EXPECT_EQ(ExpandId(500), "[Orders]");
}

TEST_F(ExpandText, ExpansionIsCutAt1999Characters) {
  const std::string name(254, 'n');
  manager.NoteFile(name);
  std::string message;
  for (int i = 0; i < 51; ++i) message += "%File";  // 255 characters, 51 × 254 after expansion
  const std::string text = Expand(message);
  EXPECT_EQ(text, std::string(1999, 'n'));
}

TEST_F(ExpandText, LeavesTheCurrentEntryAsItWas) {
  Load(8, LevelQuestion, "Q", "Really %Previous");
  ASSERT_EQ(manager.Locate(8), LevelOk);
  const int32_t position = manager.ERRORS->Pointer();
  manager.ExpandText();
  EXPECT_EQ(manager.ERRORS->Pointer(), position);
  EXPECT_EQ(manager.CurrentEntry().TITLE, "Q");
}

struct PreviousCase {
  const char* label;
  uint16_t id;
  const char* expected;
};

TEST_F(ExpandText, PreviousBringsInTheReplacedDefinitionAsStored) {
  Load(8, LevelQuestion, "Q", "Really %Previous");
  Load(10, LevelFatal, "F", "X %Previous");
  Load(10, LevelFatal, "F", "Y %Previous");
  Load(600, LevelNotify, "N", "new %Previous");
  Load(27, LevelNotify, "K", "Before: %Previous");
  manager.NoteFile("ORDERS");
  const PreviousCase cases[] = {
      {"the default definition", 8, "Really Are you sure you want to cancel?"},
      {"the one just before, its placeholders not expanded", 10, "Y X %Previous"},
      {"an id defined once", 600, "new "},
      {"the table's first entry", 27, "Before: %File key file is invalid. Key must be rebuilt."},
  };
  for (const PreviousCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ExpandId(c.id), c.expected);
  }
}

}  // namespace
