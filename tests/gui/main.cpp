#include <gtest/gtest.h>

namespace gui_test {
bool runAsRecoveryChild();
}

int main(int argc, char** argv) {
  // Started by a recovery test as the program that crashes; it never returns.
  if (gui_test::runAsRecoveryChild()) return 1;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
