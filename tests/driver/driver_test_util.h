// Helpers of the driver tests: the console's prompt and a temporary folder.
// Files and bytes are handled by the shared test support (support/).
#ifndef JASSCRIBE_TESTS_DRIVER_DRIVER_TEST_UTIL_H_
#define JASSCRIBE_TESTS_DRIVER_DRIVER_TEST_UTIL_H_

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace driver_test {

constexpr char kPrompt[] = "Enter the full path to the jass file : \n";

/// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "jasscribe-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) != nullptr) path_ = buffer.data();
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace driver_test

#endif  // JASSCRIBE_TESTS_DRIVER_DRIVER_TEST_UTIL_H_
