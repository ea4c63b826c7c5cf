// Test support shared by every test folder: a fresh temporary folder that
// takes its contents with it.
#ifndef JASSCRIBE_TESTS_SUPPORT_TEMP_DIR_H_
#define JASSCRIBE_TESTS_SUPPORT_TEMP_DIR_H_

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

/// The platform's folder separator, which the tools expect in the paths they
/// are given: only the backslash separates folders for the Windows dialogue.
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

/// The path with each "/" turned into the platform's separator.
inline std::string fNative(std::string path) {
  for (char& c : path) c = c == '/' ? kSeparator : c;
  return path;
}

/// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
 public:
  TempDir() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) return;
    std::random_device seed;
    std::mt19937 random(seed());
    // A name another run already took is simply tried again.
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path candidate = base / ("jasscribe-" + std::to_string(random() % 1000000000));
      if (fs::create_directory(candidate, ec)) path_ = candidate.u8string();
    }
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(std::filesystem::u8path(path_), ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + kSeparator + name; }

 private:
  std::string path_;
};

#endif  // JASSCRIBE_TESTS_SUPPORT_TEMP_DIR_H_
