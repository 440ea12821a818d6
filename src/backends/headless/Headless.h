#pragma once
// The headless backend: deterministic and scriptable.

namespace headless {

// Makes the headless backend the runtime's backend.
void Install();

}  // namespace headless
