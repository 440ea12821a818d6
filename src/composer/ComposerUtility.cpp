#include "composer/ComposerUtility.h"

#include "composer/NativeMessageHook.h"
#include "runtime/Address.h"
#include "runtime/MessageBox.h"
#include "runtime/Property.h"

namespace quibra {

void ComposerUtility::ShowIntro() { rt::MessageBox("OvQuibra Demo", "", "", "", 1, 1, 1, 0, 0); }

void ComposerUtility::SetMessageHook(uint8_t on) {
  rt::MessageHook hook = &NativeMessageHook;  // checks the hook keeps the runtime's contract
  rt::SetProperty(rt::SystemTarget, rt::PropMessageHook, rt::Value(on ? rt::FunctionAddressNumber(hook) : int64_t{0}));
}

}  // namespace quibra
