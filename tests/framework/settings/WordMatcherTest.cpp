#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/settings/WordMatcher.h"
#include "support/CaseName.h"

namespace {

using quibra::WordMatcher;

struct RowCase {
  const char* label;
  int row;  // 1 to 10
  std::vector<int> weights;
};

class WeightTableTest : public testing::TestWithParam<RowCase> {};

TEST_P(WeightTableTest, RowSplitsExactly100OverItsPositions) {
  const RowCase& c = GetParam();
  WordMatcher matcher;
  matcher.Construct();
  const uint8_t* row = matcher.BASEVALUE[c.row - 1];
  ASSERT_EQ(c.weights.size(), static_cast<std::size_t>(c.row)) << "the case itself is malformed";
  int sum = 0;
  for (int position = 1; position <= WordMatcher::MaxWords; ++position) {
    const int weight = row[position - 1];
    if (position <= c.row) {
      EXPECT_EQ(weight, c.weights[position - 1]) << "position " << position;
      if (position > 1) {
        EXPECT_LE(weight, row[position - 2]) << "an earlier position must weigh at least as much";
      }
    } else {
      EXPECT_EQ(weight, 0) << "position " << position << " lies past the row's words";
    }
    sum += weight;
  }
  EXPECT_EQ(sum, 100);
}

const RowCase rowCases[] = {
    {"one_word", 1, {100}},
    {"two_words", 2, {65, 35}},
    {"three_words", 3, {50, 30, 20}},
    {"four_words", 4, {40, 30, 20, 10}},
    {"five_words", 5, {34, 27, 20, 13, 6}},
    {"six_words", 6, {29, 24, 19, 14, 9, 5}},
    {"seven_words", 7, {25, 21, 17, 14, 11, 8, 4}},
    {"eight_words", 8, {20, 18, 15, 14, 11, 10, 7, 5}},
    {"nine_words", 9, {20, 17, 15, 13, 11, 9, 7, 5, 3}},
    {"ten_words", 10, {19, 17, 15, 13, 11, 9, 7, 5, 3, 1}},
};

INSTANTIATE_TEST_SUITE_P(WordMatcher, WeightTableTest, testing::ValuesIn(rowCases), quibra_test::ByLabel());

TEST(WordMatcherLife, ConstructionWritesOnlyTheWeights) {
  WordMatcher matcher;
  int query = 0;
  matcher.NOCASE = 1;
  matcher.WORDONLY = 1;
  matcher.QUERY = &query;
  matcher.WORDCNT = 3;
  matcher.WORDS[0] = "kept";
  matcher.BASEVALUE[0][5] = 77;  // a cell past the row's one word
  matcher.Construct();
  EXPECT_EQ(matcher.NOCASE, 1);
  EXPECT_EQ(matcher.WORDONLY, 1);
  EXPECT_EQ(matcher.QUERY, &query);
  EXPECT_EQ(matcher.WORDCNT, 3);
  EXPECT_EQ(matcher.WORDS[0].str(), "kept");
  EXPECT_EQ(matcher.BASEVALUE[0][0], 100);
  EXPECT_EQ(matcher.BASEVALUE[0][5], 77);
}

TEST(WordMatcherLife, StartUpLeavesCaseInsensitiveOnWholeWordsOffAndNoQuery) {
  WordMatcher matcher;
  int query = 0;
  matcher.QUERY = &query;
  matcher.WORDONLY = 1;
  matcher.Construct();
  matcher.Setup();
  matcher.SetMatchOption(1, 1);
  matcher.SetMatchOption(2, 0);
  EXPECT_EQ(matcher.NOCASE, 1);
  EXPECT_EQ(matcher.WORDONLY, 0);
  EXPECT_EQ(matcher.QUERY, nullptr);
  EXPECT_EQ(matcher.BASEVALUE[1][0], 65);
  EXPECT_EQ(matcher.BASEVALUE[1][1], 35);
  EXPECT_EQ(matcher.BASEVALUE[1][2], 0);
  EXPECT_EQ(matcher.BASEVALUE[9][9], 1);
  EXPECT_EQ(quibra::ActiveWordMatcher, &matcher);
  matcher.Shutdown();
  quibra::ActiveWordMatcher = nullptr;
}

TEST(WordMatcherLife, TheMatcherSetUpLastIsTheActiveOne) {
  WordMatcher first;
  WordMatcher second;
  first.Setup();
  second.Setup();
  EXPECT_EQ(quibra::ActiveWordMatcher, &second);
  first.NOCASE = 1;
  first.Setup();
  EXPECT_EQ(quibra::ActiveWordMatcher, &first);
  EXPECT_EQ(first.NOCASE, 0);
  quibra::ActiveWordMatcher = nullptr;
}

struct OptionCase {
  const char* label;
  uint8_t nocase, wordonly;  // before
  uint8_t option, value;
  uint8_t expectNocase, expectWordonly;
  bool queryDropped;
};

class MatchOptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(MatchOptionTest, SetsTheOptionAsZeroOrOne) {
  const OptionCase& c = GetParam();
  WordMatcher matcher;
  int query = 0;
  matcher.NOCASE = c.nocase;
  matcher.WORDONLY = c.wordonly;
  matcher.QUERY = &query;
  matcher.SetMatchOption(c.option, c.value);
  EXPECT_EQ(matcher.NOCASE, c.expectNocase);
  EXPECT_EQ(matcher.WORDONLY, c.expectWordonly);
  EXPECT_EQ(matcher.QUERY, c.queryDropped ? nullptr : &query);
}

const OptionCase optionCases[] = {
    {"nocase_on_from_off_drops_query", 0, 0, 1, 1, 1, 0, true},
    {"nocase_any_nonzero_stores_one", 0, 0, 1, 7, 1, 0, true},
    {"nocase_255_stores_one", 0, 1, 1, 255, 1, 1, true},
    {"nocase_same_value_keeps_query", 1, 0, 1, 1, 1, 0, false},
    {"nocase_same_in_zero_one_form_keeps_query", 1, 0, 1, 9, 1, 0, false},
    {"nocase_off_from_on_drops_query", 1, 1, 1, 0, 0, 1, true},
    {"nocase_off_when_off_keeps_query", 0, 1, 1, 0, 0, 1, false},
    {"wordonly_255_stores_one_keeps_query", 0, 0, 2, 255, 0, 1, false},
    {"wordonly_off_keeps_query", 1, 1, 2, 0, 1, 0, false},
    {"option_0_changes_nothing", 0, 0, 0, 1, 0, 0, false},
    {"option_3_changes_nothing", 0, 0, 3, 1, 0, 0, false},
    {"option_255_changes_nothing", 1, 1, 255, 0, 1, 1, false},
};

INSTANTIATE_TEST_SUITE_P(WordMatcher, MatchOptionTest, testing::ValuesIn(optionCases), quibra_test::ByLabel());

}  // namespace
