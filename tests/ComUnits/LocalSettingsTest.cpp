#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <sstream>
#include <vector>

#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "src/ComUnits/uLocalSettings.h"
#include "support/TempFolder.h"

namespace {

using namespace std::string_literals;

// The host program lives in one temporary folder and works in another (the current folder).
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() : SavedDir(GetCurrentDir()) {
    SetHostProgramFolder(Host.Path());
    if (::chdir(Work.Path().c_str()) != 0) std::abort();
  }
  ~SettingsFileTest() override {
    CloseSettingsFile();
    SetHostProgramFolder("");
    if (::chdir(SavedDir.c_str()) != 0) std::abort();
  }

  String FileName() const { return Host / "Settings.ini"; }
  void Store(const String& section, const String& key, const String& value) const {
    SettingsFile()->WriteString(section, key, value);
  }
  // The text after "key=" on the key's line of the file, exactly as stored.
  String StoredText(const String& key) const {
    std::istringstream lines(TTempFolder::ReadFile(FileName()));
    for (String line; std::getline(lines, line);)
      if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
    return "<missing>";
  }

  TTempFolder Host;
  TTempFolder Work;
  String SavedDir;
};

TEST_F(SettingsFileTest, WithoutAFileFoldersAreTheirDefaultsAndAreCreated) {
  struct TCase {
    const char* Setting;
    String (*Read)();
    String Expected;
  };
  const String reports = Host / "Reports/";
  const TCase cases[] = {
      {"RepTmpltFldr", ReadRepTmpltFldr, Host / "ReportTemplates/"},
      {"RepTempFldr", ReadRepTempFldr, Host / "ReportTemp/"},
      {"FACT_AUTOSAVE Path", ReadFACT_AUTOSAVE_Path, reports},
      {"CDRBLNC_AUTOSAVE Path", ReadCDRBLNC_AUTOSAVE_Path, reports},
      {"AutoSaveFolder", ReadAutoSaveFolder, reports},
      {"LoadFolder", ReadLoadFolder, reports},
      {"UnLoadFolder", ReadUnLoadFolder, reports},
      {"SendRepFldr", ReadEMailSendRepFldr, IncludeTrailingPathDelimiter(GetCurrentDir()) + "Out/"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(c.Read(), c.Expected) << c.Setting;
    EXPECT_TRUE(DirectoryExists(c.Expected)) << c.Setting;
  }
  EXPECT_FALSE(FileExists(FileName()));  // reading never writes
}

TEST_F(SettingsFileTest, FolderWritesTrimAddTheDelimiterAndReplaceBlanks) {
  struct TCase {
    const char* Key;
    void (*Write)(const String&);
    String (*Read)();
    String Value;
    String Stored;
  };
  const TCase cases[] = {
      {"LoadFolder", WriteLoadFolder, ReadLoadFolder, "   ", "/"},
      {"UnLoadFolder", WriteUnLoadFolder, ReadUnLoadFolder, " " + (Work / "in") + " ",
       Work / "in/"},
      {"AutoSaveFolder", WriteAutoSaveFolder, ReadAutoSaveFolder, "", "/"},
      {"RepTempFldr", WriteRepTempFldr, ReadRepTempFldr, " ", Host / "ReportTemp/"},
      {"RepTmpltFldr", WriteRepTmpltFldr, ReadRepTmpltFldr, "", Host / "ReportTemplates/"},
      {"SendRepFldr", WriteEMailSendRepFldr, ReadEMailSendRepFldr, Work / "a/b", Work / "a/b/"},
      {"path", WriteNAKL_AUTOSAVE_Path, ReadNAKL_AUTOSAVE_Path, Work / "nakl", Work / "nakl/"},
  };
  for (const TCase& c : cases) {
    c.Write(c.Value);
    EXPECT_EQ(StoredText(c.Key), c.Stored) << c.Key;
    EXPECT_TRUE(DirectoryExists(c.Stored)) << c.Key;
    EXPECT_EQ(c.Read(), c.Stored) << c.Key;
  }
}

TEST_F(SettingsFileTest, OnlySomeFoldersGetTheDelimiterOnReading) {
  Store("COM_SETTINGS", "LoadFolder", Work / "load");
  Store("COM_SETTINGS", "RepTmpltFldr", Work / "templates");
  Store("ACTSALE_AUTOSAVE", "PATH", Work / "act");
  EXPECT_EQ(ReadLoadFolder(), Work / "load/");
  EXPECT_EQ(ReadRepTmpltFldr(), Work / "templates");
  EXPECT_EQ(ReadACTSALE_AUTOSAVE_Path(), Work / "act/");
  EXPECT_TRUE(DirectoryExists(Work / "templates"));
  // A default is only worked out when the key is missing.
  EXPECT_EQ(ReadUnLoadFolder(), Host / "Reports/");
  ::rmdir((Host / "Reports").c_str());
  ReadLoadFolder();
  EXPECT_FALSE(DirectoryExists(Host / "Reports"));
}

TEST_F(SettingsFileTest, ChoicesOutsideTheirRangeReadAsZero) {
  struct TCase {
    const char* Section;
    const char* Key;
    const char* Stored;
    int32_t (*Read)();
    int32_t Expected;
  };
  const TCase cases[] = {
      {"FACT_SETTINGS", "AskUseRemark", "5", ReadAskUseRemark, 0},
      {"FACT_SETTINGS", "AskUseRemark", "2", ReadAskUseRemark, 2},
      {"FACT_SETTINGS", "AskUseRemark", "-1", ReadAskUseRemark, 0},
      {"FACT_AUTOSAVE", "AmntRepName", "2", ReadAmntRepName, 0},
      {"FACT_AUTOSAVE", "AmntRepName", "1", ReadAmntRepName, 1},
      {"COM_SETTINGS", "DefRepPeriod", "x", ReadDefRepPeriod, 0},
  };
  for (const TCase& c : cases) {
    Store(c.Section, c.Key, c.Stored);
    EXPECT_EQ(c.Read(), c.Expected) << c.Key << "=" << c.Stored;
  }
}

TEST_F(SettingsFileTest, ScannerPortIsTheNumberAfterThreeCharacters) {
  EXPECT_EQ(ReadScanerPort(), 1);
  const std::pair<const char*, int32_t> cases[] = {
      {"COM7", 7}, {"COMx", 1}, {"COM", 1}, {"", 1}, {"COM12", 12}, {"ПОР3", 3}, {"C", 1},
  };
  for (const auto& [stored, expected] : cases) {
    Store("SCANER", "ScanerPort", stored);
    EXPECT_EQ(ReadScanerPort(), expected) << stored;
  }
  WriteScanerPort(4);
  EXPECT_EQ(StoredText("ScanerPort"), "COM4");
}

TEST_F(SettingsFileTest, ABlankDividerIsStoredAsATab) {
  EXPECT_EQ(ReadPrefDivider(), "-");
  WritePrefDivider("");
  EXPECT_EQ(StoredText("PrefDivider"), "\t");
  EXPECT_EQ(ReadPrefDivider(), "");
  WriteSuffDivider("  ");
  EXPECT_EQ(StoredText("SuffDivider"), "\t");
  WriteSuffDivider("/");
  EXPECT_EQ(ReadSuffDivider(), "/");
}

TEST_F(SettingsFileTest, BooleansAndIntegersFallBackToTheirDefaults) {
  EXPECT_TRUE(ReadCrdBlns_HideNullsBalance());
  EXPECT_FALSE(ReadCrdBlns_ClientItog());
  EXPECT_TRUE(ReadStoreSelect());
  EXPECT_FALSE(ReadDbgCAN());
  EXPECT_EQ(ReadKZKH_KBe(), -1);
  EXPECT_EQ(ReadBaudRate(), 110);
  EXPECT_EQ(ReadEMailSendErrorTimeOut(), 30);
  EXPECT_EQ(ReadBASHINVOICE_AUTOSAVE_NumCopies(), 1);
  Store("COM_SETTINGS", "StoreSelect", "no");  // not a number: the default
  Store("FACT_SETTINGS", "CrdBlns_ClientItog", "7");
  Store("DBG_SETTINGS", "CAN", "1");
  Store("FACT_SETTINGS", "Precision", "two");
  Store("SCANER", "BaudRate", "$2580");
  EXPECT_TRUE(ReadStoreSelect());
  EXPECT_TRUE(ReadCrdBlns_ClientItog());
  EXPECT_TRUE(ReadDbgCAN());
  EXPECT_EQ(ReadPrecision(), 2);
  EXPECT_EQ(ReadBaudRate(), 9600);
  WriteStoreSelect(false);
  WriteCurrDay(true);
  EXPECT_EQ(StoredText("StoreSelect"), "0");
  EXPECT_EQ(StoredText("CurrDay"), "1");
}

TEST_F(SettingsFileTest, MailBodyKeepsItsBlanksInQuotes) {
  WriteEMailTxt("  Dear \"client\",  ");
  EXPECT_EQ(StoredText("Txt"), "\"  Dear \"client\",  \"");
  EXPECT_EQ(ReadEMailTxt(), "  Dear \"client\",  ");
  EXPECT_THROW(WriteEMailTxt("line one\r\nFrom=intruder"), EIniFileException);
  EXPECT_EQ(ReadEMailFrom(), "");
}

TEST_F(SettingsFileTest, CertificateDateIsAPackedFileDate) {
  const TDateTime defaultDate = EncodeDate(1980, 1, 1) + EncodeTime(17, 42, 34, 0);
  EXPECT_DOUBLE_EQ(ReadKZKH_CertificateDate(), defaultDate);
  const TDateTime date = EncodeDate(2024, 3, 15) + EncodeTime(10, 20, 30, 0);
  WriteKZKH_CertificateDate(date);
  EXPECT_EQ(StoredText("KZKH_CertificateDate"), IntToStr(DateTimeToFileDate(date)));
  EXPECT_NEAR(ReadKZKH_CertificateDate(), date, 1e-9);
  for (const char* bad : {"garbage", "0", "-1"}) {
    Store("FACT_SETTINGS", "KZKH_CertificateDate", bad);
    EXPECT_DOUBLE_EQ(ReadKZKH_CertificateDate(), defaultDate) << bad;
  }
}

bool IsUpperHex(const String& text) {
  return text.size() % 2 == 0 && text.find_first_not_of("0123456789ABCDEF") == String::npos;
}

String HexOf(const String& bytes) {
  String hex;
  for (unsigned char c : bytes) hex += IntToHex(c, 2);
  return hex;
}

TEST_F(SettingsFileTest, PasswordIsStoredScrambledInHex) {
  for (const char* password : {"secret", "пароль Ёё", "p@ss word ?", "a", "\"quoted\""}) {
    WriteEMailWrd(password);
    const String stored = StoredText("Wrd");
    EXPECT_TRUE(IsUpperHex(stored)) << stored;
    EXPECT_EQ(stored.size(), 2 * Utf8ToCp1251(password).size());
    EXPECT_NE(stored, HexOf(Utf8ToCp1251(password)));  // not the plain codes
    EXPECT_EQ(ReadEMailWrd(), password);
  }
  WriteEMailWrd("");
  EXPECT_EQ(StoredText("Wrd"), "");
  EXPECT_EQ(ReadEMailWrd(), "");
  WriteEMailWrd("kept");
  EXPECT_THROW(WriteEMailWrd("密码"), EConvertError);  // no Windows-1251 codes
  EXPECT_EQ(ReadEMailWrd(), "kept");
}

TEST_F(SettingsFileTest, OlderPasswordFormsAreConvertedAndWrittenBack) {
  struct TCase {
    String Legacy;
    String Hex;  // the codes of the stored characters
  };
  const TCase cases[] = {
      {"abc", "616263"},                 // odd length
      {"ABC", "414243"},                 // hex digits, odd length
      {"zz", "7A7A"},                    // even length, no hex digits
      {"\xC0\xC1\xC2\xFF", "C0C1C2FF"},  // 8-bit codes written on Windows, not UTF-8
      {"жук", "E6F3EA"},                 // already converted to UTF-8
  };
  for (const TCase& c : cases) {
    Store("E-MAIL", "Wrd", c.Legacy);
    const String password = ReadEMailWrd();
    EXPECT_EQ(StoredText("Wrd"), c.Hex) << c.Legacy;
    EXPECT_EQ(ReadEMailWrd(), password);
    WriteEMailWrd(password);
    EXPECT_EQ(StoredText("Wrd"), c.Hex) << c.Legacy;
  }
}

TEST_F(SettingsFileTest, OlderPasswordIsReadWhenItCannotBeWrittenBack) {
  if (RunningAsRoot()) GTEST_SKIP() << "permissions do not bind the superuser";
  Store("E-MAIL", "Wrd", "abc");
  ::chmod(Host.Path().c_str(), 0500);
  const String password = ReadEMailWrd();
  ::chmod(Host.Path().c_str(), 0700);
  EXPECT_EQ(StoredText("Wrd"), "abc");
  EXPECT_EQ(ReadEMailWrd(), password);
}

TEST_F(SettingsFileTest, TheFileFollowsTheHostFolder) {
  WriteCurrDay(true);
  EXPECT_EQ(SettingsFile()->FileName(), FileName());
  TTempFolder other;
  SetHostProgramFolder(other.Path());
  EXPECT_EQ(SettingsFile()->FileName(), other / "Settings.ini");
  EXPECT_FALSE(ReadCurrDay());
  SetHostProgramFolder(Host.Path());
  CloseSettingsFile();
  EXPECT_TRUE(ReadCurrDay());
  OpenSettingsFile();
  EXPECT_TRUE(ReadCurrDay());
}

TEST_F(SettingsFileTest, AnUnwritableFolderFailsWritesButNotReads) {
  SetHostProgramFolder(Host / "missing");
  try {
    WriteCurrDay(true);
    FAIL() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + (Host / "missing/Settings.ini"));
  }
  EXPECT_FALSE(ReadCurrDay());
  EXPECT_EQ(ReadEMailWrd(), "");
}

TEST_F(SettingsFileTest, GarbageInTheFileNeverBreaksAReader) {
  String content =
      "\xEF\xBB\xBF[E-MAIL]\nWrd=\xFF\xFE\x01\nPort=\xC3\x28\n[FACT_SETTINGS]\nPrecision\n";
  content += "[SCANER]\nScanerPort=COM" + String(100000, '9') + "\n\x00\x01garbage\n"s;
  TTempFolder::WriteFile(FileName(), content);
  for (const TLocalSetting& setting : LocalSettings())
    std::visit([](const auto& access) { access.Read(); }, setting.Access);
  EXPECT_EQ(ReadScanerPort(), 1);
  EXPECT_EQ(ReadEMailPort(), 0);
  EXPECT_EQ(ReadPrecision(), 2);
}

// The parameters of the parameter module that the settings stand behind, by value type.
std::vector<String> Words(const String& text) {
  std::istringstream in(text);
  std::vector<String> words;
  for (String word; in >> word;) words.push_back(word);
  return words;
}

const char* const kAutoSaveSections =
    "FACT_AUTOSAVE NAKL_AUTOSAVE ACCOUNT_AUTOSAVE AGENT_AUTOSAVE DECAGENT_AUTOSAVE "
    "INVOICEUKR_AUTOSAVE KAZAKHINVOICE_AUTOSAVE BASHINVOICE_AUTOSAVE PREPINVOICE_AUTOSAVE "
    "ACCEPTANCEREP_AUTOSAVE CHECKACT_AUTOSAVE ACTSALE_AUTOSAVE CHECKACT2_AUTOSAVE "
    "ACCEPTANCEREP2_AUTOSAVE CDRBLNC_AUTOSAVE ACCEPTANCEREP3_AUTOSAVE";

const char* const kBooleanParams =
    "COM_SETTINGS&CurrDay COM_SETTINGS&StoreSelect E-MAIL&ISPswrd E-MAIL&MD5 E-MAIL&USESSL "
    "E-MAIL&Pack E-MAIL&RClr DBG_SETTINGS&Appl DBG_SETTINGS&LstPr FACT_AUTOSAVE&UseData "
    "FACT_AUTOSAVE&AddNameToPath FACT_SETTINGS&UsePrefix FACT_SETTINGS&UseSuffics "
    "FACT_SETTINGS&PrintNumPact FACT_SETTINGS&PrintDogovorNumber FACT_SETTINGS&PrintContractType "
    "FACT_SETTINGS&SplitGoods FACT_SETTINGS&UseOtherClientForBuyer FACT_SETTINGS&KZKH_IsByProxy "
    "FACT_SETTINGS&KZKH_CertificateEnabled FACT_SETTINGS&PaymentOnlyToEnd FACT_SETTINGS&ShowHolder "
    "FACT_SETTINGS&UKR_ShowPriceWithVat FACT_SETTINGS&UKR_UseInterval "
    "FACT_SETTINGS&UKR_ShowVatInWords "
    "FACT_SETTINGS&UKR_ShowVatColumn FACT_SETTINGS&CheckAct_NotOnlyAccount "
    "FACT_SETTINGS&CheckAct_UseCorr "
    "FACT_SETTINGS&CheckAct_UseBadOP FACT_SETTINGS&CheckAct_UseFCRest "
    "FACT_SETTINGS&CheckAct_UseRepGSM "
    "FACT_SETTINGS&Commis_Enabled FACT_SETTINGS&Commis_ENumber SCANER&Scaner_Enabled "
    "SCANER&Scaner_Log "
    "FACT_SETTINGS&CrdBlns_ClientItog FACT_SETTINGS&CrdBlns_Detail "
    "FACT_SETTINGS&CrdBlns_CardsNotTrn "
    "FACT_SETTINGS&CrdBlns_ClientNewPage FACT_SETTINGS&CrdBlns_CashSRVItog "
    "FACT_SETTINGS&CrdBlns_OnlyAmount "
    "FACT_SETTINGS&CrdBlns_ZeroDiscount FACT_SETTINGS&CrdBlns_CashSort "
    "FACT_SETTINGS&CrdBlns_POSADDRESS "
    "FACT_SETTINGS&CrdBlns_ServiceSummary FACT_SETTINGS&CrdBlns_SeparateFixPrice "
    "FACT_SETTINGS&CrdBlns_CONTRACT FACT_SETTINGS&CrdBlns_UseHistoryHolde "
    "FACT_SETTINGS&CrdBlns_UseIBSTrn "
    "FACT_SETTINGS&CrdBlns_GroupByHolder FACT_SETTINGS&CrdBlns_CalcLSKDiscont "
    "FACT_SETTINGS&CrdBlns_ShowPOSPrise FACT_SETTINGS&CrdBlns_ShowPercentComp "
    "FACT_SETTINGS&CrdBlns_HideNullsBalance FACT_AUTOSAVE&UseID FACT_AUTOSAVE&UseEmtID";

const char* const kIntegerParams =
    "COM_SETTINGS&DefRepPeriod E-MAIL&Port E-MAIL&ErrTimeOut E-MAIL&ErrRptCnt E-MAIL&LettersCount "
    "E-MAIL&SessionInterval FACT_AUTOSAVE&AmntRepName FACT_SETTINGS&DivideClient "
    "FACT_SETTINGS&AskUseRemark "
    "FACT_SETTINGS&Precision FACT_SETTINGS&NaklOrientPrint FACT_SETTINGS&KZKH_KBe "
    "FACT_SETTINGS&KZKH_PayCondition FACT_SETTINGS&KZKH_CertificateSeries "
    "FACT_SETTINGS&KZKH_CertificateNumber FACT_SETTINGS&KZKH_SendMode "
    "FACT_SETTINGS&CheckAct_Service "
    "EXPORT_TYPE SCANER&Scaner_Port SCANER&Scaner_BaudRate SCANER&Scaner_DataBits "
    "SCANER&Scaner_Parity "
    "SCANER&Scaner_StopBits FACT_SETTINGS&DocumentDateFormat FACT_SETTINGS&DivideEmitentClient";

const char* const kStringParams =
    "COM_SETTINGS&RepTmpltFldr COM_SETTINGS&AutoSaveFolder COM_SETTINGS&RepTempFldr "
    "COM_SETTINGS&LoadFolder COM_SETTINGS&UnLoadFolder E-MAIL&SendRepFldr E-MAIL&Srv E-MAIL&Usr "
    "E-MAIL&Wrd E-MAIL&From E-MAIL&Copy E-MAIL&Sbct E-MAIL&Txt FACT_SETTINGS&FieldVal "
    "FACT_SETTINGS&Prefix FACT_SETTINGS&PrefDivider FACT_SETTINGS&Suffics "
    "FACT_SETTINGS&SuffDivider "
    "FACT_SETTINGS&NaklGoodsResolverTitle FACT_SETTINGS&NaklGoodsResolverName "
    "FACT_SETTINGS&NaklGoodsReleasorTitle FACT_SETTINGS&NaklGoodsReleasorName "
    "FACT_SETTINGS&PlaceCounting FACT_SETTINGS&Commis_ManagerFIO FACT_SETTINGS&Commis_ManagerProxy "
    "FACT_SETTINGS&Commis_BuhFIO FACT_SETTINGS&Commis_BuhProxy FACT_SETTINGS&Commis_SellerName "
    "FACT_SETTINGS&Commis_SellerAdr FACT_SETTINGS&Commis_SellerINN FACT_SETTINGS&Commis_SellerKPP "
    "SCANER&Scaner_Suffix";

TEST(LocalSettingsTable, EveryParameterHasItsSettingOfItsType) {
  std::vector<std::pair<String, size_t>> expected;  // name and variant index
  for (const String& name : Words(kBooleanParams)) expected.emplace_back(name, 0);
  for (const String& name : Words(kIntegerParams)) expected.emplace_back(name, 1);
  for (const String& name : Words(kStringParams)) expected.emplace_back(name, 2);
  expected.emplace_back("FACT_SETTINGS&KZKH_CertificateDate", 3);
  for (const String& section : Words(kAutoSaveSections)) {
    expected.emplace_back(section + "&Path", 2);
    expected.emplace_back(section + "&NumCopies", 1);
  }
  for (const auto& [name, type] : expected) {
    const TLocalSetting* setting = FindLocalSetting(name);
    ASSERT_NE(setting, nullptr) << name;
    EXPECT_EQ(setting->Access.index(), type) << name;
  }
  EXPECT_EQ(LocalSettings().size(), expected.size());
  EXPECT_EQ(FindLocalSetting("e-mail&wrd"), FindLocalSetting("E-MAIL&Wrd"));
  EXPECT_EQ(FindLocalSetting("DBG_SETTINGS&CAN"), nullptr);
}

TEST_F(SettingsFileTest, EveryWriterStoresWhereItsReaderReads) {
  const String text = Work / "value/";
  const TDateTime date = EncodeDate(2020, 5, 17) + EncodeTime(8, 30, 10, 0);
  for (const TLocalSetting& setting : LocalSettings()) {
    std::visit(
        [&](const auto& access) {
          using T = std::decay_t<decltype(access.Read())>;
          if constexpr (std::is_same_v<T, bool>) {
            for (bool value : {true, false}) {
              access.Write(value);
              EXPECT_EQ(access.Read(), value) << setting.ParamName;
            }
          } else if constexpr (std::is_same_v<T, int32_t>) {
            access.Write(1);
            EXPECT_EQ(access.Read(), 1) << setting.ParamName;
          } else if constexpr (std::is_same_v<T, String>) {
            access.Write(text);
            EXPECT_EQ(access.Read(), text) << setting.ParamName;
          } else {
            access.Write(date);
            EXPECT_NEAR(access.Read(), date, 1e-9) << setting.ParamName;
          }
        },
        setting.Access);
    EXPECT_TRUE(SettingsFile()->ValueExists(setting.Section, setting.Key)) << setting.ParamName;
  }
}

}  // namespace
