#pragma once
// The one-byte code used both as an error's severity and as the flow result of
// controller and manager operations.
#include <cstdint>

namespace quibra {

using Level = uint8_t;

enum LevelCodes : Level {
  LevelOk = 0,            // nothing to report; go on
  LevelQuestion = 1,      // ask Yes/No
  LevelProgramError = 2,  // a fault in the program's use of the framework; fatal
  LevelFatal = 3,         // show, then halt; as a flow result: stop the event loop
  LevelCancel = 4,        // declined
  LevelNotify = 5,        // show with OK; as a flow result: skip the rest of the event
};

// What a window was opened for, and how it ended.
enum RequestCodes : uint8_t { RequestNone = 0, RequestInsert = 1, RequestChange = 2, RequestDelete = 3 };
enum ResponseCodes : uint8_t { ResponseNone = 0, ResponseCompleted = 1, ResponseCancelled = 2 };

}  // namespace quibra
