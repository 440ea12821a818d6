#pragma once
// The error message window's definition, "$WINDOW" of module "errorwin".
#include <cstdint>

namespace rt {
struct WindowDef;
}

namespace quibra {

constexpr int32_t ErrorImageControl = 300;
constexpr int32_t ErrorListControl = 200;
// ?BUTTON1 (leftmost) is 107, ?BUTTON8 (rightmost) is 100.
constexpr int32_t ErrorFirstButtonControl = 100;
constexpr const char* ErrorListFormat = "217L(2)|M~Message~S(255)@s255@42L(2)|M~Category~L(1)@s255@";

const rt::WindowDef& ErrorWindowDefinition();
void RegisterErrorWindow();

}  // namespace quibra
