// Helpers of the driver tests: the console's prompt. Temporary folders,
// files and bytes are handled by the shared test support (support/).
#ifndef JASSCRIBE_TESTS_DRIVER_DRIVER_TEST_UTIL_H_
#define JASSCRIBE_TESTS_DRIVER_DRIVER_TEST_UTIL_H_

#include "support/temp_dir.h"

namespace driver_test {

constexpr char kPrompt[] = "Enter the full path to the jass file : \n";

using TempDir = ::TempDir;

}  // namespace driver_test

#endif  // JASSCRIBE_TESTS_DRIVER_DRIVER_TEST_UTIL_H_
