// The main() of every test program: the headless backend is installed once,
// and a halt is turned into an exception that a test can expect, instead of
// ending the test program.
#include <gtest/gtest.h>

#include "backends/headless/Headless.h"
#include "runtime/Program.h"
#include "support/HaltIntercept.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  headless::Install();
  rt::SetHaltHandler(&quibra_test::ThrowHalt);
  return RUN_ALL_TESTS();
}
