#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

#include "platform/rtl/Files.h"
#include "support/TempFolder.h"

namespace {

struct TNameCase {
  const char* Routine;
  std::function<String(const String&)> Apply;
  String Input;
  String Expected;
};

TEST(FileNames, PartsOfNames) {
  const auto path = [](const String& s) { return ExtractFilePath(s); };
  const auto dir = [](const String& s) { return ExtractFileDir(s); };
  const auto name = [](const String& s) { return ExtractFileName(s); };
  const auto ext = [](const String& s) { return ExtractFileExt(s); };
  const auto toTxt = [](const String& s) { return ChangeFileExt(s, ".txt"); };
  const auto include = [](const String& s) { return IncludeTrailingPathDelimiter(s); };
  const auto exclude = [](const String& s) { return ExcludeTrailingPathDelimiter(s); };
  const TNameCase cases[] = {
      {"ExtractFilePath", path, "/a/b/c.txt", "/a/b/"},
      {"ExtractFilePath", path, "c.txt", ""},
      {"ExtractFilePath", path, "/c", "/"},
      {"ExtractFileDir", dir, "/a/b/c.txt", "/a/b"},
      {"ExtractFileDir", dir, "/c", "/"},
      {"ExtractFileDir", dir, "c", ""},
      {"ExtractFileName", name, "/a/b/c.txt", "c.txt"},
      {"ExtractFileName", name, "/a/b/", ""},
      {"ExtractFileExt", ext, "/a/b/c.tar.gz", ".gz"},
      {"ExtractFileExt", ext, "/a.dir/file", ""},
      {"ExtractFileExt", ext, "/a/.profile", ".profile"},
      {"ChangeFileExt", toTxt, "/a/b.xls", "/a/b.txt"},
      {"ChangeFileExt", toTxt, "/a.dir/b", "/a.dir/b.txt"},
      {"IncludeTrailingPathDelimiter", include, "/a", "/a/"},
      {"IncludeTrailingPathDelimiter", include, "/a/", "/a/"},
      {"IncludeTrailingPathDelimiter", include, "", "/"},
      {"ExcludeTrailingPathDelimiter", exclude, "/a/", "/a"},
      {"ExcludeTrailingPathDelimiter", exclude, "/a", "/a"},
  };
  for (const TNameCase& c : cases)
    EXPECT_EQ(c.Apply(c.Input), c.Expected) << c.Routine << "(" << c.Input << ")";
}

TEST(FileNames, ExpandFileNameResolvesRelativePartsTextually) {
  const String cwd = GetCurrentDir();
  EXPECT_EQ(ExpandFileName("/a/./b//c/../d"), "/a/b/d");
  EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
  EXPECT_EQ(ExpandFileName("/../.."), "/");
  EXPECT_EQ(ExpandFileName("x/y"), IncludeTrailingPathDelimiter(cwd) + "x/y");
}

TEST(Folders, ForceDirectoriesCreatesParentsAndReportsFailure) {
  TTempFolder temp;
  EXPECT_TRUE(ForceDirectories(temp / "a/b/c"));
  EXPECT_TRUE(DirectoryExists(temp / "a/b/c"));
  EXPECT_TRUE(ForceDirectories(temp / "a/b/c/"));  // already there
  TTempFolder::WriteFile(temp / "file", "x");
  EXPECT_FALSE(ForceDirectories(temp / "file/sub"));
  EXPECT_FALSE(ForceDirectories(""));
  EXPECT_TRUE(FileExists(temp / "file"));
  EXPECT_FALSE(FileExists(temp / "a"));  // a folder is no file
  EXPECT_FALSE(DirectoryExists(temp / "file"));
}

TEST(Files, RenameFileNeverReplacesAnExistingFile) {
  TTempFolder temp;
  TTempFolder::WriteFile(temp / "old", "old");
  TTempFolder::WriteFile(temp / "taken", "taken");
  EXPECT_FALSE(RenameFile(temp / "old", temp / "taken"));
  EXPECT_EQ(TTempFolder::ReadFile(temp / "taken"), "taken");
  EXPECT_TRUE(RenameFile(temp / "old", temp / "new"));
  EXPECT_EQ(TTempFolder::ReadFile(temp / "new"), "old");
  EXPECT_FALSE(FileExists(temp / "old"));
  EXPECT_TRUE(DeleteFile(temp / "new"));
  EXPECT_FALSE(DeleteFile(temp / "new"));
}

TEST(Files, TempFileNamesAreUniqueEmptyFiles) {
  TTempFolder temp;
  const String first = GetTempFileName(temp.Path(), "rep");
  const String second = GetTempFileName(ExcludeTrailingPathDelimiter(temp.Path()), "rep");
  EXPECT_NE(first, second);
  for (const String& name : {first, second}) {
    EXPECT_EQ(ExtractFilePath(name), temp.Path());
    EXPECT_TRUE(ExtractFileName(name).starts_with("rep"));
    EXPECT_EQ(ExtractFileExt(name), ".tmp");
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(TTempFolder::ReadFile(name), "");
  }
  EXPECT_THROW(GetTempFileName(temp / "missing", "x"), EInOutError);
}

TEST(Files, TempDirFollowsTmpdir) {
  const char* saved = std::getenv("TMPDIR");
  const String restore = saved ? saved : "";
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(GetTempDir(), "/var/tmp/");
  unsetenv("TMPDIR");
  EXPECT_EQ(GetTempDir(), "/tmp/");
  if (saved) setenv("TMPDIR", restore.c_str(), 1);
}

TEST(AtomicWrite, ReplacesContentKeepsPermissionsAndLeavesNothingBehind) {
  TTempFolder temp;
  const String name = temp / "settings.ini";
  AtomicWriteFile(name, "first");
  EXPECT_EQ(TTempFolder::ReadFile(name), "first");
  ::chmod(name.c_str(), 0640);
  AtomicWriteFile(name, "second\nline");
  EXPECT_EQ(TTempFolder::ReadFile(name), "second\nline");
  struct stat info;
  ASSERT_EQ(::stat(name.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(temp.Listing(), "settings.ini;");
}

TEST(AtomicWrite, WritesThroughALinkToItsTarget) {
  TTempFolder temp;
  TTempFolder::WriteFile(temp / "target", "old");
  ASSERT_EQ(::symlink((temp / "target").c_str(), (temp / "link").c_str()), 0);
  AtomicWriteFile(temp / "link", "new");
  struct stat info;
  ASSERT_EQ(::lstat((temp / "link").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(TTempFolder::ReadFile(temp / "target"), "new");
}

TEST(AtomicWrite, FailureRaisesAndLeavesTheOldFile) {
  TTempFolder temp;
  try {
    AtomicWriteFile(temp / "missing/file", "x");
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message().starts_with("Unable to write to " + (temp / "missing/file") + ": "))
        << e.Message();
  }
  // A folder in the file's place cannot be replaced by a file.
  ASSERT_TRUE(ForceDirectories(temp / "busy"));
  TTempFolder::WriteFile(temp / "busy/inner", "kept");
  EXPECT_THROW(AtomicWriteFile(temp / "busy", "x"), EInOutError);
  EXPECT_EQ(TTempFolder::ReadFile(temp / "busy/inner"), "kept");
  EXPECT_EQ(temp.Listing(), "busy;");
}

TEST(AtomicWrite, UnwritableFolderOrFileRaises) {
  if (RunningAsRoot()) GTEST_SKIP() << "permissions do not bind the superuser";
  TTempFolder temp;
  TTempFolder::WriteFile(temp / "file", "old");
  ::chmod(temp.Path().c_str(), 0500);
  EXPECT_THROW(AtomicWriteFile(temp / "file", "new"), EInOutError);
  ::chmod(temp.Path().c_str(), 0700);
  ::chmod((temp / "file").c_str(), 0400);  // a read-only file in a writable folder
  EXPECT_THROW(AtomicWriteFile(temp / "file", "new"), EInOutError);
  EXPECT_EQ(TTempFolder::ReadFile(temp / "file"), "old");
}

TEST(Files, ReadWholeFileKeepsEveryByte) {
  TTempFolder temp;
  const String content("a\0b\xFF\r\n", 6);
  TTempFolder::WriteFile(temp / "bin", content);
  EXPECT_EQ(ReadWholeFile(temp / "bin"), content);
  EXPECT_THROW(ReadWholeFile(temp / "none"), EInOutError);
}

TEST(Modules, HostFolderDefaultsToTheExecutableAndCanBeOverridden) {
  const String executable = ExecutableFileName();
  ASSERT_FALSE(executable.empty());
  EXPECT_TRUE(FileExists(executable));
  EXPECT_EQ(HostProgramFolder(), ExtractFilePath(executable));
  SetHostProgramFolder("/opt/host");
  EXPECT_EQ(HostProgramFolder(), "/opt/host/");
  SetHostProgramFolder("");
  EXPECT_EQ(HostProgramFolder(), ExtractFilePath(executable));
}

int FunctionOfTheTestProgram() { return 1; }

TEST(Modules, ModuleFileNameNamesTheModuleHoldingAnAddress) {
  EXPECT_EQ(ModuleFileName(reinterpret_cast<const void*>(&FunctionOfTheTestProgram)),
            ExecutableFileName());
  const String library = ModuleFileName(reinterpret_cast<const void*>(&ExpandFileName));
  EXPECT_EQ(ExtractFileName(library), "libRodRtl.so");
  EXPECT_TRUE(FileExists(library));
  EXPECT_EQ(ModuleFileName(nullptr), "");
}

}  // namespace
