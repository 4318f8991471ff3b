#include "platform/rtl/Files.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

String ErrorText(int error) { return std::strerror(error); }

size_t LastDelimiter(const String& fileName) { return fileName.rfind(PathDelim); }

// The position of the extension's dot, or npos when the last name part has none.
size_t ExtensionDot(const String& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == String::npos) return String::npos;
  const size_t delimiter = LastDelimiter(fileName);
  return (delimiter != String::npos && delimiter > dot) ? String::npos : dot;
}

std::vector<String> SplitPath(const String& path) {
  std::vector<String> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(PathDelim, start);
    if (end == String::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// A name no other writer uses at the same moment: process id, a running number and a random
// part, so that two processes writing the same file do not collide either.
String UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static std::mt19937 random{std::random_device{}()};
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%ld.%u.%08x", static_cast<long>(getpid()), counter++,
                static_cast<unsigned>(random()));
  return buffer;
}

// A file descriptor that is closed when the scope ends.
class TFileHandle {
 public:
  explicit TFileHandle(int fd) : FFd(fd) {}
  ~TFileHandle() {
    if (FFd >= 0) ::close(FFd);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Get() const { return FFd; }
  bool Valid() const { return FFd >= 0; }
  // Closes now and reports whether the close succeeded (a failed close can lose written data).
  bool Close() {
    const int fd = FFd;
    FFd = -1;
    return ::close(fd) == 0;
  }

 private:
  int FFd;
};

bool WriteAll(int fd, const String& content) {
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<size_t>(n);
  }
  return true;
}

// The file that a write of fileName must replace: the target of a link, so that the link stays.
String ReplacedFileName(const String& fileName) {
  struct stat info;
  if (::lstat(fileName.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return fileName;
  char resolved[PATH_MAX];
  return ::realpath(fileName.c_str(), resolved) ? String(resolved) : fileName;
}

// Makes the new file's permissions those of the file it replaces; a new file keeps what the
// process's file-creation mask gave it.
void CopyPermissions(const String& target, int fd) {
  struct stat info;
  if (::stat(target.c_str(), &info) == 0) ::fchmod(fd, info.st_mode & 07777);
}

void SyncDirectory(const String& directory) {
  TFileHandle dir(::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY));
  if (dir.Valid()) ::fsync(dir.Get());
}

[[noreturn]] void RaiseWriteError(const String& fileName, int error) {
  throw EInOutError("Unable to write to " + fileName + ": " + ErrorText(error));
}

String& HostFolderOverride() {
  static String folder;
  return folder;
}

}  // namespace

String IncludeTrailingPathDelimiter(const String& path) {
  return (!path.empty() && path.back() == PathDelim) ? path : path + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& path) {
  return (!path.empty() && path.back() == PathDelim) ? path.substr(0, path.size() - 1) : path;
}

String ExtractFilePath(const String& fileName) {
  const size_t delimiter = LastDelimiter(fileName);
  return delimiter == String::npos ? String() : fileName.substr(0, delimiter + 1);
}

String ExtractFileDir(const String& fileName) {
  const String path = ExtractFilePath(fileName);
  return path.size() > 1 ? path.substr(0, path.size() - 1) : path;
}

String ExtractFileName(const String& fileName) {
  const size_t delimiter = LastDelimiter(fileName);
  return delimiter == String::npos ? fileName : fileName.substr(delimiter + 1);
}

String ExtractFileExt(const String& fileName) {
  const size_t dot = ExtensionDot(fileName);
  return dot == String::npos ? String() : fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& extension) {
  const size_t dot = ExtensionDot(fileName);
  return (dot == String::npos ? fileName : fileName.substr(0, dot)) + extension;
}

String ExpandFileName(const String& fileName) {
  if (fileName.empty()) return String();
  const String absolute = fileName.front() == PathDelim
                              ? fileName
                              : IncludeTrailingPathDelimiter(GetCurrentDir()) + fileName;
  std::vector<String> kept;
  for (const String& part : SplitPath(absolute)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  String result;
  for (const String& part : kept) result += PathDelim + part;
  if (result.empty() || absolute.back() == PathDelim) result += PathDelim;
  return result;
}

bool FileExists(const String& fileName) {
  struct stat info;
  return ::stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const String& directory) {
  struct stat info;
  return ::stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const String& directory) {
  if (directory.empty()) return false;
  String path = directory.front() == PathDelim ? String(1, PathDelim) : String();
  for (const String& part : SplitPath(directory)) {
    path += part;
    if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && DirectoryExists(path)))
      return false;
    path += PathDelim;
  }
  return DirectoryExists(directory);
}

bool DeleteFile(const String& fileName) { return ::unlink(fileName.c_str()) == 0; }

bool RenameFile(const String& oldName, const String& newName) {
  if (::renameat2(AT_FDCWD, oldName.c_str(), AT_FDCWD, newName.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  // Some file systems cannot refuse atomically; refuse by looking first.
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat info;
  if (::lstat(newName.c_str(), &info) == 0) return false;
  return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

String GetCurrentDir() {
  std::vector<char> buffer(PATH_MAX);
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return String();
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

String GetTempDir() {
  const char* tmpdir = std::getenv("TMPDIR");
  return IncludeTrailingPathDelimiter(tmpdir && *tmpdir ? tmpdir : "/tmp");
}

String GetTempFileName(const String& directory, const String& prefix) {
  const String folder = IncludeTrailingPathDelimiter(directory.empty() ? GetTempDir() : directory);
  String pattern = folder + prefix + "XXXXXX.tmp";
  TFileHandle file(::mkostemps(pattern.data(), 4, O_CLOEXEC));
  if (!file.Valid())
    throw EInOutError("Unable to create a temporary file in " + folder + ": " + ErrorText(errno));
  return pattern;
}

String ReadWholeFile(const String& fileName) {
  TFileHandle file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  String content;
  if (file.Valid()) {
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(file.Get(), buffer, sizeof buffer)) != 0) {
      if (n < 0) {
        if (errno == EINTR) continue;
        break;
      }
      content.append(buffer, static_cast<size_t>(n));
    }
    if (n == 0) return content;
  }
  throw EInOutError("Cannot open file \"" + fileName + "\". " + ErrorText(errno));
}

void AtomicWriteFile(const String& fileName, const String& content) {
  const String target = ReplacedFileName(fileName);
  // A file made read-only is not to be changed, though its folder would allow replacing it.
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
    RaiseWriteError(fileName, errno);
  const String directory = ExtractFilePath(target);
  const String aside = directory + "." + ExtractFileName(target) + "." + UniqueSuffix() + ".tmp";
  TFileHandle file(::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!file.Valid()) RaiseWriteError(fileName, errno);
  CopyPermissions(target, file.Get());
  const bool written = WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0;
  const int writeError = errno;
  if (!file.Close() || !written) {
    const int error = written ? errno : writeError;
    ::unlink(aside.c_str());
    RaiseWriteError(fileName, error);
  }
  if (::rename(aside.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(aside.c_str());
    RaiseWriteError(fileName, error);
  }
  SyncDirectory(directory);
}

String ExecutableFileName() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return String();
    if (static_cast<size_t>(n) < buffer.size())
      return String(buffer.data(), static_cast<size_t>(n));
    buffer.resize(buffer.size() * 2);
  }
}

String HostProgramFolder() {
  static const String executableFolder = ExtractFilePath(ExecutableFileName());
  const String& folder = HostFolderOverride();
  return folder.empty() ? executableFolder : folder;
}

void SetHostProgramFolder(const String& folder) {
  HostFolderOverride() =
      folder.empty() ? String() : IncludeTrailingPathDelimiter(ExpandFileName(folder));
}

String ModuleFileName(const void* address) {
  Dl_info info;
  link_map* module = nullptr;
  if (::dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 || !module)
    return String();
  // The executable's own entry in the loader's list carries no name.
  if (!module->l_name || !*module->l_name) return ExecutableFileName();
  char resolved[PATH_MAX];
  return ::realpath(module->l_name, resolved) ? String(resolved) : String(module->l_name);
}
