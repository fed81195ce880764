#include <gtest/gtest.h>

#include "base/log.h"

// Fatal errors throw in tests so a test can expect them.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setFatalHandler([](const std::string& message) { throw FatalErrorException(message); });
  return RUN_ALL_TESTS();
}
