#pragma once
// Makes the linked backend the runtime's backend. Each backend library
// defines it; a program links exactly one of them.
namespace backend {

void Install();

}  // namespace backend
