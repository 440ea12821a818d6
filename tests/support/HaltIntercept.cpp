#include "support/HaltIntercept.h"

namespace quibra_test {

void ThrowHalt(int32_t level, const std::string& text) { throw Halted{level, text}; }

}  // namespace quibra_test
