#pragma once

namespace quibra {
// The composer procedure: shows the intro, then runs the composer window
// until the user closes it, leaving its response in LastResponse.
void Main();

}  // namespace quibra
