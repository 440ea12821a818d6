// Reading single values and single fields of a value.
#include <gtest/gtest.h>

#include <string>

#include "FakeIniStore.h"
#include "platform/ThisOs.h"
#include "support/CaseName.h"

namespace {

using settings_test::FakeIniStore;

struct FieldCase {
  const char* label;
  const char* value;  // null: the entry is missing
  uint8_t field;
  const char* expected;
};

class ReadFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(ReadFieldTest, GivesTheNumberedFieldOfTheValue) {
  const FieldCase& c = GetParam();
  FakeIniStore store;
  store.FILENAME = "Fields.INI";
  if (c.value) store.values[FakeIniStore::Key("S", "E")] = c.value;
  EXPECT_EQ(store.ReadField("S", "E", c.field), c.expected);
}

const FieldCase fieldCases[] = {
    {"field_0_is_the_first", "a,b,c", 0, "a"},
    {"field_1", "a,b,c", 1, "a"},
    {"field_2", "a,b,c", 2, "b"},
    {"field_3", "a,b,c", 3, "c"},
    {"past_the_last_field_starts_again", "a,b,c", 4, "a"},
    {"second_round_continues", "a,b,c", 5, "b"},
    {"field_255_of_three", "a,b,c", 255, "c"},
    {"two_fields_read_as_first", "x,y", 1, "x"},
    {"two_fields_read_as_second", "x,y", 2, "y"},
    {"two_fields_read_as_third_give_the_first", "x,y", 3, "x"},
    {"two_fields_read_as_fourth_give_the_second", "x,y", 4, "y"},
    {"single_field_for_any_number", "solo", 7, "solo"},
    {"after_a_trailing_comma_is_empty", "a,b,", 3, ""},
    {"past_a_trailing_comma_starts_again", "a,b,", 4, "a"},
    {"empty_middle_field", "a,,c", 2, ""},
    {"empty_first_field", ",a", 1, ""},
    {"field_after_an_empty_first", ",a", 2, "a"},
    {"lone_comma_field_1", ",", 1, ""},
    {"lone_comma_field_2", ",", 2, ""},
    {"blanks_inside_are_kept", " a , b ", 2, " b "},
    {"empty_value", "", 1, ""},
    {"empty_value_later_field", "", 3, ""},
    {"missing_entry_field_1", nullptr, 1, "---Unknown---"},
    {"missing_entry_field_3", nullptr, 3, "---Unknown---"},
};

INSTANTIATE_TEST_SUITE_P(IniStore, ReadFieldTest, testing::ValuesIn(fieldCases), quibra_test::ByLabel());

TEST(IniStoreRead, ValueIsCutTo999CharactersAndFieldsComeFromTheCutValue) {
  FakeIniStore store;
  const std::string head(998, 'h');
  // The comma lies at position 999, the last one kept, so the second field
  // is empty; the tail after it is lost with the rest of the cut value.
  store.values[FakeIniStore::Key("S", "Long")] = head + ",tail" + std::string(4000, 't');
  EXPECT_EQ(store.ReadValue("S", "Long"), head + ",");
  EXPECT_EQ(store.ReadField("S", "Long", 1), head);
  EXPECT_EQ(store.ReadField("S", "Long", 2), "");
  // Past the cut there is no second comma, so field 3 starts again at field 1.
  EXPECT_EQ(store.ReadField("S", "Long", 3), head);

  // A comma just past the cut is gone with it: the value is one field.
  store.values[FakeIniStore::Key("S", "Cut")] = std::string(999, 'c') + ",lost";
  EXPECT_EQ(store.ReadField("S", "Cut", 2), std::string(999, 'c'));

  // A character of two bytes that the cut would split goes whole where texts
  // are UTF-8; in a Windows code page each byte is a character of its own.
  const std::string eAcute = "\xC3\xA9";
  store.values[FakeIniStore::Key("S", "Accent")] = std::string(998, 'e') + eAcute + "tail";
  EXPECT_EQ(store.ReadValue("S", "Accent"), std::string(998, 'e') + (os::TextIsUtf8() ? "" : "\xC3"));
}

TEST(IniStoreRead, RawValueIsNotCutAndDefaultsToEmpty) {
  FakeIniStore store;
  store.FILENAME = "Raw.INI";
  const std::string big(5000, 'r');
  store.values[FakeIniStore::Key("S", "Big")] = big;
  EXPECT_EQ(store.ReadRaw("S", "Big"), big);
  EXPECT_EQ(store.ReadRaw("S", "Missing"), "");
  EXPECT_EQ(store.ReadValue("S", "Missing"), "---Unknown---");
  // Every read goes to the store's own file.
  for (const std::string& file : store.files) EXPECT_EQ(file, "Raw.INI");
}

}  // namespace
