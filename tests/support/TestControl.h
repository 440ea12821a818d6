#pragma once
// A control for the tests' own windows, named "?C<number>" after its number;
// the fields not given keep their defaults.
#include <cstdint>
#include <string>
#include <utility>

#include "runtime/ControlDef.h"

namespace quibra_test {

inline rt::ControlDef TestControl(int32_t number, rt::ControlKind kind, std::string text = {}, std::string picture = {},
                                  std::string value = {}) {
  rt::ControlDef c = rt::MakeControl(number, "?C" + std::to_string(number), kind, std::move(text), 0, 0);
  c.picture = std::move(picture);
  c.value = std::move(value);
  return c;
}

}  // namespace quibra_test
