#include "framework/settings/WordMatcher.h"

#include <algorithm>

namespace quibra {

WordMatcher* ActiveWordMatcher = nullptr;

namespace {

// Row n holds the weights of positions 1 to n; the rest of a row is 0.
constexpr uint8_t Weights[WordMatcher::MaxWords][WordMatcher::MaxWords] = {
    {100},
    {65, 35},
    {50, 30, 20},
    {40, 30, 20, 10},
    {34, 27, 20, 13, 6},
    {29, 24, 19, 14, 9, 5},
    {25, 21, 17, 14, 11, 8, 4},
    {20, 18, 15, 14, 11, 10, 7, 5},
    {20, 17, 15, 13, 11, 9, 7, 5, 3},
    {19, 17, 15, 13, 11, 9, 7, 5, 3, 1},
};

}  // namespace

void WordMatcher::Construct() {
  // Only the 55 weights: the cells after position n are left as they are
  // (zero, as the object starts).
  for (int row = 0; row < MaxWords; ++row) std::copy(Weights[row], Weights[row] + row + 1, BASEVALUE[row]);
}

void WordMatcher::Setup() {
  NOCASE = 0;
  WORDONLY = 0;
  ActiveWordMatcher = this;
}

void WordMatcher::Shutdown() {}

void WordMatcher::SetMatchOption(uint8_t option, uint8_t value) {
  const uint8_t on = value != 0 ? 1 : 0;
  switch (option) {
    case 1:
      if (NOCASE == on) return;
      NOCASE = on;
      QUERY = nullptr;
      break;
    case 2:
      WORDONLY = on;
      break;
    default:
      break;
  }
}

}  // namespace quibra
