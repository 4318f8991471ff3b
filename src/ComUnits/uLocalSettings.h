// The workstation's own settings: the file "Settings.ini" in the host program's folder, with one
// reader and one writer per setting. Readers never fail: a missing or malformed value gives the
// setting's default, and some readers repair what they find. Writers store at once and raise
// EIniFileException when the file cannot be written (the old file then stays as it was).
//
// Value forms: integers as decimal text (read through the platform's integer conversion, so
// "$1F" and "0x1F" are accepted and anything else gives the default); booleans as "1" and "0",
// any non-zero integer reading as true; texts as they are (trimmed on reading); folders as texts
// ending with "/".
//
// Folders. Every folder is created (with its missing parents) when it is read or written; a
// failure to create it is ignored. LoadFolder, UnLoadFolder, SendRepFldr and every autosave Path
// are read with a trailing "/" added; AutoSaveFolder, RepTmpltFldr and RepTempFldr are returned
// as stored. A written folder is trimmed and given a trailing "/"; a blank one is stored as the
// root "/" (the blank folder of the Windows installations was the drive root "C:\"), except
// RepTmpltFldr and RepTempFldr, which store their default instead. Defaults that the Windows
// installations wrote with a drive or backslashes are the same folders here: "\Reports" becomes
// "Reports/" in the host folder ("./Reports/" when the host folder is unknown), "\Out" becomes
// "Out/" in the current folder.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"

inline constexpr const char* SettingsIniName = "Settings.ini";

// The one settings file of the library, on HostProgramFolder() + "Settings.ini". The library's
// start opens it and its stop closes it; SettingsFile() reopens it when it is closed or when the
// host folder has changed since, so it always names the current host folder's file (callers
// therefore ask for it at each use rather than keeping the pointer).
void OpenSettingsFile();
void CloseSettingsFile();
TIniFile* SettingsFile();

// ---------------------------------------------------------------------------------------------
// The settings. Each line of a list gives the stem of the routine names, the section, the key,
// the default and the name of the parameter that exposes the setting (Read<Stem> returns the
// value, Write<Stem> stores it). Stems are the key names; the keys of E-MAIL and DBG_SETTINGS
// carry the section's prefix (EMail..., Dbg...), and those of the automatic-saving sections,
// which repeat in every such section, are <SECTION>_Path and <SECTION>_NumCopies.

// Booleans (bool Read<Stem>(), void Write<Stem>(bool)).
#define ROD_BOOLEAN_SETTINGS(X)                                                                    \
  X(StoreSelect, "COM_SETTINGS", "StoreSelect", true, "COM_SETTINGS&StoreSelect")                  \
  X(CurrDay, "COM_SETTINGS", "CurrDay", false, "COM_SETTINGS&CurrDay")                             \
  X(DbgApply, "DBG_SETTINGS", "Apply", false, "DBG_SETTINGS&Appl")                                 \
  X(DbgLastPeriod, "DBG_SETTINGS", "LastPeriod", false, "DBG_SETTINGS&LstPr")                      \
  X(EMailISPswrd, "E-MAIL", "ISPswrd", false, "E-MAIL&ISPswrd")                                    \
  X(EMailMD5, "E-MAIL", "MD5", false, "E-MAIL&MD5")                                                \
  X(EMailUSESSL, "E-MAIL", "USESSL", false, "E-MAIL&USESSL")                                       \
  X(EMailToPack, "E-MAIL", "ToPack", true, "E-MAIL&Pack")                                          \
  X(EMailRecyClear, "E-MAIL", "RecyClear", true, "E-MAIL&RClr")                                    \
  X(UseData, "FACT_AUTOSAVE", "UseData", true, "FACT_AUTOSAVE&UseData")                            \
  X(AddNameToPath, "FACT_AUTOSAVE", "AddNameToPath", false, "FACT_AUTOSAVE&AddNameToPath")         \
  X(UseID, "FACT_AUTOSAVE", "UseID", false, "FACT_AUTOSAVE&UseID")                                 \
  X(UseEmtID, "FACT_AUTOSAVE", "UseEmtID", false, "FACT_AUTOSAVE&UseEmtID")                        \
  X(UsePrefix, "FACT_SETTINGS", "UsePrefix", false, "FACT_SETTINGS&UsePrefix")                     \
  X(UseSuffics, "FACT_SETTINGS", "UseSuffics", false, "FACT_SETTINGS&UseSuffics")                  \
  X(PrintNumberPact, "FACT_SETTINGS", "PrintNumberPact", false, "FACT_SETTINGS&PrintNumPact")      \
  X(PrintDogovorNumber, "FACT_SETTINGS", "PrintDogovorNumber", false,                              \
    "FACT_SETTINGS&PrintDogovorNumber")                                                            \
  X(PrintContractType, "FACT_SETTINGS", "PrintContractType", false,                                \
    "FACT_SETTINGS&PrintContractType")                                                             \
  X(SplitGoods, "FACT_SETTINGS", "SplitGoods", false, "FACT_SETTINGS&SplitGoods")                  \
  X(UseOtherClientForBuyer, "FACT_SETTINGS", "UseOtherClientForBuyer", false,                      \
    "FACT_SETTINGS&UseOtherClientForBuyer")                                                        \
  X(KZKH_IsByProxy, "FACT_SETTINGS", "KZKH_IsByProxy", false, "FACT_SETTINGS&KZKH_IsByProxy")      \
  X(KZKH_CertificateEnabled, "FACT_SETTINGS", "KZKH_CertificateEnabled", false,                    \
    "FACT_SETTINGS&KZKH_CertificateEnabled")                                                       \
  X(cnfPaymentOnlyToEnd, "FACT_SETTINGS", "cnfPaymentOnlyToEnd", false,                            \
    "FACT_SETTINGS&PaymentOnlyToEnd")                                                              \
  X(ShowHolder, "FACT_SETTINGS", "ShowHolder", false, "FACT_SETTINGS&ShowHolder")                  \
  X(UKR_ShowPriceWithVat, "FACT_SETTINGS", "UKR_ShowPriceWithVat", false,                          \
    "FACT_SETTINGS&UKR_ShowPriceWithVat")                                                          \
  X(UKR_UseInterval, "FACT_SETTINGS", "UKR_UseInterval", false, "FACT_SETTINGS&UKR_UseInterval")   \
  X(UKR_ShowVatInWords, "FACT_SETTINGS", "UKR_ShowVatInWords", false,                              \
    "FACT_SETTINGS&UKR_ShowVatInWords")                                                            \
  X(UKR_ShowVatColumn, "FACT_SETTINGS", "UKR_ShowVatColumn", true,                                 \
    "FACT_SETTINGS&UKR_ShowVatColumn")                                                             \
  X(CheckAct_NotOnlyAccount, "FACT_SETTINGS", "CheckAct_NotOnlyAccount", true,                     \
    "FACT_SETTINGS&CheckAct_NotOnlyAccount")                                                       \
  X(CheckAct_UseCorr, "FACT_SETTINGS", "CheckAct_UseCorr", true, "FACT_SETTINGS&CheckAct_UseCorr") \
  X(CheckAct_UseBadOP, "FACT_SETTINGS", "CheckAct_UseBadOP", false,                                \
    "FACT_SETTINGS&CheckAct_UseBadOP")                                                             \
  X(CheckAct_UseFCRest, "FACT_SETTINGS", "CheckAct_UseFCRest", false,                              \
    "FACT_SETTINGS&CheckAct_UseFCRest")                                                            \
  X(CheckAct_UseRepGSM, "FACT_SETTINGS", "CheckAct_UseRepGSM", false,                              \
    "FACT_SETTINGS&CheckAct_UseRepGSM")                                                            \
  X(CommisEnabled, "FACT_SETTINGS", "CommisEnabled", false, "FACT_SETTINGS&Commis_Enabled")        \
  X(CommisENumber, "FACT_SETTINGS", "CommisENumber", false, "FACT_SETTINGS&Commis_ENumber")        \
  X(CrdBlns_ClientItog, "FACT_SETTINGS", "CrdBlns_ClientItog", false,                              \
    "FACT_SETTINGS&CrdBlns_ClientItog")                                                            \
  X(CrdBlns_Detail, "FACT_SETTINGS", "CrdBlns_Detail", true, "FACT_SETTINGS&CrdBlns_Detail")       \
  X(CrdBlns_CardsNotTrn, "FACT_SETTINGS", "CrdBlns_CardsNotTrn", true,                             \
    "FACT_SETTINGS&CrdBlns_CardsNotTrn")                                                           \
  X(CrdBlns_ClientNewPage, "FACT_SETTINGS", "CrdBlns_ClientNewPage", false,                        \
    "FACT_SETTINGS&CrdBlns_ClientNewPage")                                                         \
  X(CrdBlns_CashSRVItog, "FACT_SETTINGS", "CrdBlns_CashSRVItog", false,                            \
    "FACT_SETTINGS&CrdBlns_CashSRVItog")                                                           \
  X(CrdBlns_OnlyAmount, "FACT_SETTINGS", "CrdBlns_OnlyAmount", false,                              \
    "FACT_SETTINGS&CrdBlns_OnlyAmount")                                                            \
  X(CrdBlns_ZeroDiscount, "FACT_SETTINGS", "CrdBlns_ZeroDiscount", true,                           \
    "FACT_SETTINGS&CrdBlns_ZeroDiscount")                                                          \
  X(CrdBlns_CashSort, "FACT_SETTINGS", "CrdBlns_CashSort", false,                                  \
    "FACT_SETTINGS&CrdBlns_CashSort")                                                              \
  X(CrdBlns_POSADDRESS, "FACT_SETTINGS", "CrdBlns_POSADDRESS", false,                              \
    "FACT_SETTINGS&CrdBlns_POSADDRESS")                                                            \
  X(CrdBlns_ServiceSummary, "FACT_SETTINGS", "CrdBlns_ServiceSummary", false,                      \
    "FACT_SETTINGS&CrdBlns_ServiceSummary")                                                        \
  X(CrdBlns_SeparateFixPrice, "FACT_SETTINGS", "CrdBlns_SeparateFixPrice", false,                  \
    "FACT_SETTINGS&CrdBlns_SeparateFixPrice")                                                      \
  X(CrdBlns_CONTRACT, "FACT_SETTINGS", "CrdBlns_CONTRACT", false,                                  \
    "FACT_SETTINGS&CrdBlns_CONTRACT")                                                              \
  X(CrdBlns_UseHistoryHolde, "FACT_SETTINGS", "CrdBlns_UseHistoryHolde", false,                    \
    "FACT_SETTINGS&CrdBlns_UseHistoryHolde")                                                       \
  X(CrdBlns_UseIBSTrn, "FACT_SETTINGS", "CrdBlns_UseIBSTrn", false,                                \
    "FACT_SETTINGS&CrdBlns_UseIBSTrn")                                                             \
  X(CrdBlns_GroupByHolder, "FACT_SETTINGS", "CrdBlns_GroupByHolder", false,                        \
    "FACT_SETTINGS&CrdBlns_GroupByHolder")                                                         \
  X(CrdBlns_CalcLSKDiscont, "FACT_SETTINGS", "CrdBlns_CalcLSKDiscont", false,                      \
    "FACT_SETTINGS&CrdBlns_CalcLSKDiscont")                                                        \
  X(CrdBlns_ShowPOSPrise, "FACT_SETTINGS", "CrdBlns_ShowPOSPrise", false,                          \
    "FACT_SETTINGS&CrdBlns_ShowPOSPrise")                                                          \
  X(CrdBlns_ShowPercentComp, "FACT_SETTINGS", "CrdBlns_ShowPercentComp", false,                    \
    "FACT_SETTINGS&CrdBlns_ShowPercentComp")                                                       \
  X(CrdBlns_HideNullsBalance, "FACT_SETTINGS", "CrdBlns_HideNullsBalance", true,                   \
    "FACT_SETTINGS&CrdBlns_HideNullsBalance")                                                      \
  X(ScanerEnabled, "SCANER", "ScanerEnabled", false, "SCANER&Scaner_Enabled")                      \
  X(ScanerLog, "SCANER", "ScanerLog", false, "SCANER&Scaner_Log")

// Integers (int32_t Read<Stem>(), void Write<Stem>(int32_t)).
#define ROD_INTEGER_SETTINGS(X)                                                                    \
  X(EMailPort, "E-MAIL", "Port", 0, "E-MAIL&Port")                                                 \
  X(EMailSendErrorTimeOut, "E-MAIL", "SendErrorTimeOut", 30, "E-MAIL&ErrTimeOut")                  \
  X(EMailSendErrorCount, "E-MAIL", "SendErrorCount", 3, "E-MAIL&ErrRptCnt")                        \
  X(EMailLettersCount, "E-MAIL", "LettersCount", 1, "E-MAIL&LettersCount")                         \
  X(EMailSessionInterval, "E-MAIL", "SessionInterval", 0, "E-MAIL&SessionInterval")                \
  X(Export_Type, "EXPORT_SETTINGS", "Export_Type", 0, "EXPORT_TYPE")                               \
  X(DivideClient, "FACT_SETTINGS", "DivideClient", 0, "FACT_SETTINGS&DivideClient")                \
  X(Precision, "FACT_SETTINGS", "Precision", 2, "FACT_SETTINGS&Precision")                         \
  X(NaklOrientPrint, "FACT_SETTINGS", "NaklOrientPrint", 0, "FACT_SETTINGS&NaklOrientPrint")       \
  X(KZKH_KBe, "FACT_SETTINGS", "KZKH_KBe", -1, "FACT_SETTINGS&KZKH_KBe")                           \
  X(KZKH_PayCondition, "FACT_SETTINGS", "KZKH_PayCondition", 0, "FACT_SETTINGS&KZKH_PayCondition") \
  X(KZKH_CertificateSeries, "FACT_SETTINGS", "KZKH_CertificateSeries", -1,                         \
    "FACT_SETTINGS&KZKH_CertificateSeries")                                                        \
  X(KZKH_CertificateNumber, "FACT_SETTINGS", "KZKH_CertificateNumber", -1,                         \
    "FACT_SETTINGS&KZKH_CertificateNumber")                                                        \
  X(KZKH_SendMode, "FACT_SETTINGS", "KZKH_SendMode", 0, "FACT_SETTINGS&KZKH_SendMode")             \
  X(CheckAct_Service, "FACT_SETTINGS", "CheckAct_Service", 0, "FACT_SETTINGS&CheckAct_Service")    \
  X(DocumentDateFormat, "FACT_SETTINGS", "DocumentDateFormat", 0,                                  \
    "FACT_SETTINGS&DocumentDateFormat")                                                            \
  X(DivideEmitentClient, "FACT_SETTINGS", "DivideEmitentClient", 0,                                \
    "FACT_SETTINGS&DivideEmitentClient")                                                           \
  X(BaudRate, "SCANER", "BaudRate", 110, "SCANER&Scaner_BaudRate")                                 \
  X(DataBits, "SCANER", "DataBits", 4, "SCANER&Scaner_DataBits")                                   \
  X(ScanerParity, "SCANER", "ScanerParity", 0, "SCANER&Scaner_Parity")                             \
  X(StopBits, "SCANER", "StopBits", 0, "SCANER&Scaner_StopBits")

// Choices: integers from 0 to the given maximum, default 0; a stored value outside reads as 0
// (int32_t Read<Stem>(), void Write<Stem>(int32_t)).
#define ROD_CHOICE_SETTINGS(X)                                                    \
  X(DefRepPeriod, "COM_SETTINGS", "DefRepPeriod", 1, "COM_SETTINGS&DefRepPeriod") \
  X(AmntRepName, "FACT_AUTOSAVE", "AmntRepName", 1, "FACT_AUTOSAVE&AmntRepName")  \
  X(AskUseRemark, "FACT_SETTINGS", "AskUseRemark", 2, "FACT_SETTINGS&AskUseRemark")

// Texts, default empty (String Read<Stem>(), void Write<Stem>(const String&)). ScanerSuffix is
// the text behind the parameter SCANER&Scaner_Suffix, named like the scanner's other keys.
#define ROD_TEXT_SETTINGS(X)                                                                  \
  X(EMailSrv, "E-MAIL", "Srv", "E-MAIL&Srv")                                                  \
  X(EMailUsr, "E-MAIL", "Usr", "E-MAIL&Usr")                                                  \
  X(EMailFrom, "E-MAIL", "From", "E-MAIL&From")                                               \
  X(EMailCopy, "E-MAIL", "Copy", "E-MAIL&Copy")                                               \
  X(EMailSbct, "E-MAIL", "Sbct", "E-MAIL&Sbct")                                               \
  X(FieldVal, "FACT_SETTINGS", "FieldVal", "FACT_SETTINGS&FieldVal")                          \
  X(Prefix, "FACT_SETTINGS", "Prefix", "FACT_SETTINGS&Prefix")                                \
  X(Suffics, "FACT_SETTINGS", "Suffics", "FACT_SETTINGS&Suffics")                             \
  X(NaklGoodsResolverTitle, "FACT_SETTINGS", "NaklGoodsResolverTitle",                        \
    "FACT_SETTINGS&NaklGoodsResolverTitle")                                                   \
  X(NaklGoodsResolverName, "FACT_SETTINGS", "NaklGoodsResolverName",                          \
    "FACT_SETTINGS&NaklGoodsResolverName")                                                    \
  X(NaklGoodsReleasorTitle, "FACT_SETTINGS", "NaklGoodsReleasorTitle",                        \
    "FACT_SETTINGS&NaklGoodsReleasorTitle")                                                   \
  X(NaklGoodsReleasorName, "FACT_SETTINGS", "NaklGoodsReleasorName",                          \
    "FACT_SETTINGS&NaklGoodsReleasorName")                                                    \
  X(PlaceCounting, "FACT_SETTINGS", "PlaceCounting", "FACT_SETTINGS&PlaceCounting")           \
  X(CommisManagerFIO, "FACT_SETTINGS", "CommisManagerFIO", "FACT_SETTINGS&Commis_ManagerFIO") \
  X(CommisManagerProxy, "FACT_SETTINGS", "CommisManagerProxy",                                \
    "FACT_SETTINGS&Commis_ManagerProxy")                                                      \
  X(CommisBuhFIO, "FACT_SETTINGS", "CommisBuhFIO", "FACT_SETTINGS&Commis_BuhFIO")             \
  X(CommisBuhProxy, "FACT_SETTINGS", "CommisBuhProxy", "FACT_SETTINGS&Commis_BuhProxy")       \
  X(CommisSellerName, "FACT_SETTINGS", "CommisSellerName", "FACT_SETTINGS&Commis_SellerName") \
  X(CommisSellerAdr, "FACT_SETTINGS", "CommisSellerAdr", "FACT_SETTINGS&Commis_SellerAdr")    \
  X(CommisSellerINN, "FACT_SETTINGS", "CommisSellerINN", "FACT_SETTINGS&Commis_SellerINN")    \
  X(CommisSellerKPP, "FACT_SETTINGS", "CommisSellerKPP", "FACT_SETTINGS&Commis_SellerKPP")    \
  X(ScanerSuffix, "SCANER", "ScanerSuffix", "SCANER&Scaner_Suffix")

// Dividers (String Read<Stem>(), void Write<Stem>(const String&)): default "-"; a blank divider
// is stored as a single TAB (so that the key is present) and reads as "".
#define ROD_DIVIDER_SETTINGS(X)                                               \
  X(PrefDivider, "FACT_SETTINGS", "PrefDivider", "FACT_SETTINGS&PrefDivider") \
  X(SuffDivider, "FACT_SETTINGS", "SuffDivider", "FACT_SETTINGS&SuffDivider")

// The automatic-saving sections, each with the folder Path (default "Reports/" in the host
// folder, written under the key "path") and the integer NumCopies (default 1); the parameters
// are named <SECTION>&Path and <SECTION>&NumCopies.
#define ROD_AUTOSAVE_SECTIONS(X) \
  X(FACT_AUTOSAVE)               \
  X(NAKL_AUTOSAVE)               \
  X(ACCOUNT_AUTOSAVE)            \
  X(AGENT_AUTOSAVE)              \
  X(DECAGENT_AUTOSAVE)           \
  X(INVOICEUKR_AUTOSAVE)         \
  X(KAZAKHINVOICE_AUTOSAVE)      \
  X(BASHINVOICE_AUTOSAVE)        \
  X(PREPINVOICE_AUTOSAVE)        \
  X(ACCEPTANCEREP_AUTOSAVE)      \
  X(CHECKACT_AUTOSAVE)           \
  X(ACTSALE_AUTOSAVE)            \
  X(CHECKACT2_AUTOSAVE)          \
  X(ACCEPTANCEREP2_AUTOSAVE)     \
  X(CDRBLNC_AUTOSAVE)            \
  X(ACCEPTANCEREP3_AUTOSAVE)

#define ROD_DECLARE_BOOLEAN_SETTING(Stem, Section, Key, Default, Param) \
  bool Read##Stem();                                                    \
  void Write##Stem(bool value);
#define ROD_DECLARE_INTEGER_SETTING(Stem, Section, Key, Default, Param) \
  int32_t Read##Stem();                                                 \
  void Write##Stem(int32_t value);
#define ROD_DECLARE_TEXT_SETTING(Stem, Section, Key, Param) \
  String Read##Stem();                                      \
  void Write##Stem(const String& value);
#define ROD_DECLARE_AUTOSAVE_SETTINGS(Section)     \
  String Read##Section##_Path();                   \
  void Write##Section##_Path(const String& value); \
  int32_t Read##Section##_NumCopies();             \
  void Write##Section##_NumCopies(int32_t value);

ROD_BOOLEAN_SETTINGS(ROD_DECLARE_BOOLEAN_SETTING)
ROD_INTEGER_SETTINGS(ROD_DECLARE_INTEGER_SETTING)
ROD_CHOICE_SETTINGS(ROD_DECLARE_INTEGER_SETTING)
ROD_TEXT_SETTINGS(ROD_DECLARE_TEXT_SETTING)
ROD_DIVIDER_SETTINGS(ROD_DECLARE_TEXT_SETTING)
ROD_AUTOSAVE_SECTIONS(ROD_DECLARE_AUTOSAVE_SETTINGS)

#undef ROD_DECLARE_BOOLEAN_SETTING
#undef ROD_DECLARE_INTEGER_SETTING
#undef ROD_DECLARE_TEXT_SETTING
#undef ROD_DECLARE_AUTOSAVE_SETTINGS

// The automatic-saving keys of a section given by name (what the per-section routines do).
String ReadAutoSavePath(const String& section);
void WriteAutoSavePath(const String& section, const String& value);
int32_t ReadAutoSaveNumCopies(const String& section);
void WriteAutoSaveNumCopies(const String& section, int32_t value);

// COM_SETTINGS folders. AutoSaveFolder defaults to the Path of FACT_AUTOSAVE, LoadFolder and
// UnLoadFolder to AutoSaveFolder, RepTmpltFldr to "ReportTemplates/" and RepTempFldr to
// "ReportTemp/" in the host folder. A default is only worked out (and its folder created) when
// the key is missing.
String ReadAutoSaveFolder();
void WriteAutoSaveFolder(const String& value);
String ReadRepTmpltFldr();
void WriteRepTmpltFldr(const String& value);
// The folder for the temporary files of report building.
String ReadRepTempFldr();
void WriteRepTempFldr(const String& value);
String ReadLoadFolder();
void WriteLoadFolder(const String& value);
String ReadUnLoadFolder();
void WriteUnLoadFolder(const String& value);

// DBG_SETTINGS/CAN: extended diagnostics in error texts; there is no writer.
bool ReadDbgCAN();

// E-MAIL/SendRepFldr: the folder of letters to send, default "Out/" in the current folder.
String ReadEMailSendRepFldr();
void WriteEMailSendRepFldr(const String& value);
// E-MAIL/Txt: the letter's body, stored in double quotes so that surrounding blanks survive.
String ReadEMailTxt();
void WriteEMailTxt(const String& value);
// E-MAIL/Wrd: the mail password, stored scrambled as upper-case hexadecimal pairs, one pair per
// character (by its Windows-1251 code); "" is stored as "". A stored text of odd length or with a
// character that is no hexadecimal digit is the older form holding the scrambled characters
// themselves: it is converted to the hexadecimal form, written back (when the file can be
// written) and then read. Writing a password with a character that Windows-1251 has no code for
// raises EConvertError and stores nothing, since it could not be read back.
String ReadEMailWrd();
void WriteEMailWrd(const String& value);

// SCANER/ScanerPort: stored as "COM<n>", default "COM1". Reading takes the text after the first
// three characters as the port number, 1 when it is not a number.
int32_t ReadScanerPort();
void WriteScanerPort(int32_t value);

// FACT_SETTINGS/KZKH_CertificateDate: the packed file date and time (date in the upper 16 bits,
// time in the lower), default 2198865 (1 January 1980, 17:42:34). A stored value that is no
// valid packed date reads as the default; a date outside 1980..2107 is stored as 0.
TDateTime ReadKZKH_CertificateDate();
void WriteKZKH_CertificateDate(TDateTime value);

// ---------------------------------------------------------------------------------------------
// Every setting that a parameter exposes, by the parameter's name: its section and key and its
// reader and writer in the parameter's value type. Folders, texts, dividers and the password
// are strings, choices and the scanner port integers, the certificate date a date.
template <class T, class W = T>
struct TSettingAccess {
  T (*Read)();
  void (*Write)(W);
};
using TBooleanSettingAccess = TSettingAccess<bool>;
using TIntegerSettingAccess = TSettingAccess<int32_t>;
using TStringSettingAccess = TSettingAccess<String, const String&>;
using TDateSettingAccess = TSettingAccess<TDateTime>;
using TLocalSettingAccess = std::variant<TBooleanSettingAccess, TIntegerSettingAccess,
                                         TStringSettingAccess, TDateSettingAccess>;

struct TLocalSetting {
  const char* ParamName;
  const char* Section;
  const char* Key;
  TLocalSettingAccess Access;
};

// Each setting once, grouped by kind.
const std::vector<TLocalSetting>& LocalSettings();
// The setting of a parameter name (letter case ignored); nullptr when no setting has it.
const TLocalSetting* FindLocalSetting(const String& paramName);
