#pragma once
// The composer's small helper object: it holds no data.
#include <cstdint>

namespace quibra {

class ComposerUtility {
 public:
  // Shows "OvQuibra Demo" through the message function, with caption, icon
  // and buttons omitted; the answer is not needed.
  void ShowIntro();
  // Non-zero installs the native message hook as the runtime's message hook,
  // 0 removes it. The previous state does not matter.
  void SetMessageHook(uint8_t on);
};

}  // namespace quibra
