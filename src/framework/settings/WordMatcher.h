#pragma once
// The process's one object for word matching: its options (case-insensitive,
// whole words only), a fixed table of position weights and working storage
// for up to ten words. The matching itself is not part of this program; the
// object keeps the fields, limits, options and weights that it would use.
#include <cstdint>

#include "runtime/Text.h"

namespace quibra {

class WordMatcher {
 public:
  static constexpr int MaxWords = 10;

  // BASEVALUE[n - 1][p - 1] is the weight of position p when n words are
  // matched: row n splits exactly 100 over positions 1 to n, the first
  // weighing most, and is 0 after position n.
  uint8_t BASEVALUE[MaxWords][MaxWords] = {};
  void* DOC = nullptr;
  uint8_t NOCASE = 0;  // 1: compare without regard to case
  // Whatever the matching prepared for the current options; dropped whenever
  // NOCASE changes, since it was prepared for the other case rule.
  void* QUERY = nullptr;
  uint16_t QWORDPOS[MaxWords] = {};
  uint8_t RES = 0;
  uint16_t RESULTINDEX[MaxWords][20] = {};
  uint8_t RET = 0;
  uint8_t RETURNINDEX[MaxWords][256] = {};
  uint8_t RETURNINDEXDONE[MaxWords] = {};
  uint8_t WORDCNT = 0;   // the number of words in WORDS, at most 10
  uint8_t WORDONLY = 0;  // 1: match whole words only
  rt::CString<256> WORDS[MaxWords];

  // Everything zero, as the global instance is at load.
  WordMatcher() = default;

  // Construction: writes the weight table into BASEVALUE and nothing else.
  void Construct();
  // Both options off; this matcher becomes the active one.
  void Setup();
  void Shutdown();
  // Option 1 sets NOCASE, option 2 WORDONLY, each to 1 for any non-zero
  // value; other options are ignored.
  void SetMatchOption(uint8_t option, uint8_t value);
};

// The word matcher that was set up last; null before any was.
extern WordMatcher* ActiveWordMatcher;

}  // namespace quibra
