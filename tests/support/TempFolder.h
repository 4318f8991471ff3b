// A fresh folder for one test, removed with everything in it when the test ends (also folders
// the test made read-only).
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

class TTempFolder {
 public:
  TTempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/rodtest-XXXXXX";
    if (!::mkdtemp(pattern.data())) std::abort();
    FPath = pattern + "/";
  }
  ~TTempFolder() {
    std::error_code error;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(FPath, error))
      if (entry.is_directory(error))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(FPath, error);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder with a trailing "/".
  const std::string& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return FPath + name; }

  static void WriteFile(const std::string& fileName, const std::string& content) {
    std::ofstream(fileName, std::ios::binary) << content;
  }
  static std::string ReadFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Names in the folder, sorted, to see that nothing was left behind.
  std::string Listing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FPath))
      names.insert(entry.path().filename().string());
    std::string listing;
    for (const auto& name : names) listing += name + ";";
    return listing;
  }

 private:
  std::string FPath;
};

// Permission checks do not hold for the superuser; tests of unwritable places skip then.
inline bool RunningAsRoot() { return ::geteuid() == 0; }
