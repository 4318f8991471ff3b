#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Strings.h"
#include "support/TempFolder.h"

namespace {

using TLines = std::vector<String>;

class IniFile : public ::testing::Test {
 protected:
  IniFile() : FileName(Temp / "test.ini"), Ini(TIniFile::Create(FileName)) {}

  void SetContent(const String& content) const { TTempFolder::WriteFile(FileName, content); }
  String Content() const { return TTempFolder::ReadFile(FileName); }
  TLines Listed(void (TIniFile::*read)(TStrings*) const) {
    FreeOnExit<TStringList> list(TStringList::Create());
    (Ini.Get()->*read)(list.Get());
    return LinesOf(list.Get());
  }
  TLines Listed(const String& section, void (TIniFile::*read)(const String&, TStrings*) const) {
    FreeOnExit<TStringList> list(TStringList::Create());
    (Ini.Get()->*read)(section, list.Get());
    return LinesOf(list.Get());
  }
  static TLines LinesOf(TStrings* strings) {
    TLines lines;
    for (int i = 0; i < strings->Count(); ++i) lines.push_back(strings->Strings(i));
    return lines;
  }

  TTempFolder Temp;
  String FileName;
  FreeOnExit<TIniFile> Ini;
};

const char* const kSample =
    "; settings of the workstation\n"
    "top=before any section\n"
    "[Main]\n"
    "  Name =  spaced value  \n"
    "Quoted=\" kept blanks \"\n"
    "Single='x'\n"
    "Half=\"open\n"
    "Empty=\n"
    "no equals sign\n"
    ";Commented=1\n"
    "Name=second, ignored\n"
    "[Настройки]\n"
    "Ключ=значение\n"
    "[main]\n"
    "Other=from the repeated section\n";

TEST_F(IniFile, ReadsWithPrivateProfileRules) {
  SetContent(kSample);
  struct TCase {
    const char* Section;
    const char* Key;
    const char* Expected;
  };
  const TCase cases[] = {
      {"Main", "Name", "spaced value"},
      {"MAIN", "name", "spaced value"},
      {" Main ", " Name ", "spaced value"},
      {"Main", "Quoted", " kept blanks "},
      {"Main", "Single", "x"},
      {"Main", "Half", "\"open"},
      {"Main", "Empty", ""},
      {"Main", "Missing", "default"},
      {"Main", "no equals sign", "default"},
      {"Main", "Commented", "default"},
      {"Main", ";Commented", "default"},
      {"Main", "top", "default"},
      {"Main", "Other", "default"},  // the first section of a name wins
      {"НАСТРОЙКИ", "ключ", "значение"},
      {"Nowhere", "Name", "default"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Ini->ReadString(c.Section, c.Key, "default"), c.Expected)
        << c.Section << "/" << c.Key;
}

TEST_F(IniFile, MissingOrUnreadableFileReadsAsEmpty) {
  EXPECT_EQ(Ini->ReadString("a", "b", "d"), "d");
  EXPECT_FALSE(Ini->SectionExists("a"));
  ASSERT_TRUE(ForceDirectories(FileName));  // a folder where the file should be
  EXPECT_EQ(Ini->ReadInteger("a", "b", 7), 7);
  EXPECT_EQ(Listed(&TIniFile::ReadSections), TLines{});
}

TEST_F(IniFile, NumbersAndBooleans) {
  SetContent(
      "[n]\ndec=-42\nhex=$1F\nchex=0x1f\nbad=12abc\nbig=99999999999\nyes=5\nno=0\nword=true\nf=2."
      "5\n");
  EXPECT_EQ(Ini->ReadInteger("n", "dec", 0), -42);
  EXPECT_EQ(Ini->ReadInteger("n", "hex", 0), 31);
  EXPECT_EQ(Ini->ReadInteger("n", "chex", 0), 31);
  EXPECT_EQ(Ini->ReadInteger("n", "bad", 9), 9);
  EXPECT_EQ(Ini->ReadInteger("n", "big", 9), 9);
  EXPECT_TRUE(Ini->ReadBool("n", "yes", false));
  EXPECT_FALSE(Ini->ReadBool("n", "no", true));
  EXPECT_TRUE(Ini->ReadBool("n", "word", true));  // not a number: the default
  EXPECT_FALSE(Ini->ReadBool("n", "word", false));
  EXPECT_DOUBLE_EQ(Ini->ReadFloat("n", "f", 0), 2.5);
  EXPECT_DOUBLE_EQ(Ini->ReadFloat("n", "bad", 1.5), 1.5);
  Ini->WriteBool("n", "flag", true);
  Ini->WriteInteger("n", "count", -7);
  EXPECT_EQ(Ini->ReadString("n", "flag", ""), "1");
  EXPECT_EQ(Ini->ReadString("n", "count", ""), "-7");
}

TEST_F(IniFile, WritesKeepEveryOtherLine) {
  SetContent(
      "; head comment\n"
      "[A]\n"
      "x=1\n"
      "; about y\n"
      "Y = old\n"
      "\n"
      "[B]\n"
      "z=3\n");
  Ini->WriteString("a", "y", "new");    // replaced in place under its spelling
  Ini->WriteString("A", "w", "added");  // after the section's last key line
  Ini->WriteString("C", "k", "v");      // a new section at the end
  EXPECT_EQ(Content(),
            "; head comment\n"
            "[A]\n"
            "x=1\n"
            "; about y\n"
            "Y=new\n"
            "w=added\n"
            "\n"
            "[B]\n"
            "z=3\n"
            "\n"
            "[C]\n"
            "k=v\n");
}

TEST_F(IniFile, ByteOrderMarkAndLineBreaksSurviveAWrite) {
  SetContent("\xEF\xBB\xBF[S]\r\nk=1\r\n");
  EXPECT_EQ(Ini->ReadString("S", "k", ""), "1");
  Ini->WriteString("S", "k", "2");
  EXPECT_EQ(Content(), "\xEF\xBB\xBF[S]\r\nk=2\r\n");
}

TEST_F(IniFile, FirstWriteCreatesTheFile) {
  Ini->WriteString("Section", "Key", "value");
  EXPECT_EQ(Content(), "[Section]\nKey=value\n");
  Ini->WriteString("Section", "Empty", "");
  EXPECT_TRUE(Ini->ValueExists("Section", "empty"));
  EXPECT_EQ(Ini->ReadString("Section", "Empty", "d"), "");
}

TEST_F(IniFile, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  SetContent("[S]\nk=1\n");
  struct TCase {
    const char* Section;
    const char* Key;
    const char* Value;
  };
  const TCase cases[] = {
      {"S", "k", "1\r\nadmin=1"}, {"S", "k", "1\n[Other]"}, {"S", "k", "x\ry"}, {"S", "a=b", "1"},
      {"S", ";k", "1"},           {"S", "[k", "1"},         {"S", "", "1"},     {"S", "k\n", "1"},
      {"S]x", "k", "1"},          {"", "k", "1"},           {"S\nT", "k", "1"},
  };
  for (const TCase& c : cases)
    EXPECT_THROW(Ini->WriteString(c.Section, c.Key, c.Value), EIniFileException)
        << c.Section << "/" << c.Key << "/" << c.Value;
  EXPECT_EQ(Content(), "[S]\nk=1\n");
}

TEST_F(IniFile, AWriteThatCannotBeDoneRaisesAndKeepsTheFile) {
  FreeOnExit<TIniFile> lost(TIniFile::Create(Temp / "missing/folder/test.ini"));
  try {
    lost->WriteString("S", "k", "v");
    FAIL() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + (Temp / "missing/folder/test.ini"));
  }
  // A name that exists but cannot be read is not taken for an empty file.
  ASSERT_TRUE(ForceDirectories(FileName));
  EXPECT_THROW(Ini->WriteString("S", "k", "v"), EIniFileException);
  EXPECT_THROW(Ini->EraseSection("S"), EIniFileException);
  EXPECT_TRUE(DirectoryExists(FileName));
}

TEST_F(IniFile, UnreadableFileIsNeverReplaced) {
  if (RunningAsRoot()) GTEST_SKIP() << "permissions do not bind the superuser";
  SetContent("[S]\nprecious=1\n");
  ::chmod(FileName.c_str(), 0200);
  EXPECT_EQ(Ini->ReadString("S", "precious", "d"), "d");
  EXPECT_THROW(Ini->WriteString("S", "k", "v"), EIniFileException);
  ::chmod(FileName.c_str(), 0600);
  EXPECT_EQ(Content(), "[S]\nprecious=1\n");
}

TEST_F(IniFile, OddContentNeverCrashesAndIsKept) {
  const String longValue(1 << 20, 'v');
  const String binary("\x00\x01\xFF\xFE[\x80=\x81", 8);  // a key line of bytes
  const String content =
      "[S]\nlong=" + longValue + "\nbad=\xC3\x28\xFF\n" + binary + "\n[\n=novalue\n";
  SetContent(content);
  EXPECT_EQ(Ini->ReadString("S", "long", ""), longValue);
  EXPECT_EQ(Ini->ReadString("S", "bad", ""), "\xC3\x28\xFF");
  EXPECT_EQ(Ini->ReadString("S", "", "d"), "d");
  Ini->WriteString("S", "new", "1");
  EXPECT_EQ(Content(),
            "[S]\nlong=" + longValue + "\nbad=\xC3\x28\xFF\n" + binary + "\nnew=1\n[\n=novalue\n");
}

TEST_F(IniFile, SectionsKeysAndRemoval) {
  SetContent("[A]\nk1=1\nK1=dup\nk2=\" two \"\n[b]\n; only a comment\n[B]\nk=x\n[C]\nc=1\n");
  EXPECT_EQ(Listed(&TIniFile::ReadSections), (TLines{"A", "b", "C"}));
  EXPECT_EQ(Listed("a", &TIniFile::ReadSection), (TLines{"k1", "k2"}));
  EXPECT_EQ(Listed("A", &TIniFile::ReadSectionValues), (TLines{"k1=1", "k2= two "}));
  EXPECT_TRUE(Ini->SectionExists("a"));
  EXPECT_FALSE(Ini->SectionExists("B"));  // its first occurrence holds no key
  EXPECT_TRUE(Ini->ValueExists("A", "K2"));
  EXPECT_FALSE(Ini->ValueExists("A", "k3"));

  Ini->DeleteKey("A", "k1");  // every line of the key goes, so no duplicate shows through
  EXPECT_EQ(Ini->ReadString("A", "k1", "gone"), "gone");
  Ini->EraseSection("B");  // both sections of the name
  EXPECT_EQ(Content(), "[A]\nk2=\" two \"\n[C]\nc=1\n");
  const String before = Content();
  Ini->EraseSection("none");
  Ini->DeleteKey("none", "k");
  Ini->DeleteKey("A", "none");
  EXPECT_EQ(Content(), before);

  FreeOnExit<TIniFile> absent(TIniFile::Create(Temp / "absent.ini"));
  absent->EraseSection("S");
  absent->DeleteKey("S", "k");
  EXPECT_FALSE(FileExists(Temp / "absent.ini"));
}

TEST_F(IniFile, NothingIsCached) {
  Ini->WriteString("S", "k", "1");
  SetContent("[S]\nk=changed outside\n");
  EXPECT_EQ(Ini->ReadString("S", "k", ""), "changed outside");
  FreeOnExit<TIniFile> other(TIniFile::Create(FileName));
  other->WriteString("S", "k2", "2");
  EXPECT_EQ(Ini->ReadString("S", "k2", ""), "2");
}

}  // namespace
