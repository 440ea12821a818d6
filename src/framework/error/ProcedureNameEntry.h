#pragma once
// One procedure name pushed by a thread; "%Procedure" names the newest of the
// calling thread.
#include <cstdint>
#include <string>

namespace quibra {

struct ProcedureNameEntry {
  int32_t THREAD = 0;
  std::string NAME;
};

}  // namespace quibra
