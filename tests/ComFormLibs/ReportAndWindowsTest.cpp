#include "platform/db/VirtualTable.h"
#include "platform/rtl/Files.h"
#include "tests/ComFormLibs/ToolsFixture.h"

namespace {

class GridReportTest : public ToolsTest {
 protected:
  // The page the report opened; the file goes with the test.
  String ReportPage(TDataSet* detail, const String& title) {
    THeadlessScope operatorScope;
    GridReport(Query, detail, "Items", "Parts", title);
    const std::vector<TRecordEntry> documents =
        operatorScope.Record().OfKind(TRecordKind::Document);
    EXPECT_EQ(documents.size(), 1u);
    if (documents.empty()) return String();
    const String path = documents[0].Text;
    EXPECT_EQ(ExtractFileExt(path), ".html");
    const String page = ReadWholeFile(path);
    DeleteFile(path);
    return page;
  }
  // Where each text first appears in the page, in the order given; npos for a missing one.
  static std::vector<size_t> Places(const String& page, const std::vector<String>& texts) {
    std::vector<size_t> places;
    size_t from = 0;
    for (const String& text : texts) {
      from = page.find(text, from);
      places.push_back(from);
      if (from == String::npos) break;
    }
    return places;
  }
};

TEST_F(GridReportTest, MasterRowsEachWithTheDetailRowsThatFollowIt) {
  TVirtualTable* parts = TVirtualTable::Create(Window.Get());
  parts->AddField("ITEM_ID", ftInteger);
  parts->AddField("PART", ftString, 20);
  parts->Open();
  parts->AppendRecord({1, "bolt"});
  parts->AppendRecord({1, "nut & <washer>"});
  parts->AppendRecord({3, "spring"});
  parts->SetDetailFields("ITEM_ID");
  parts->SetMasterFields("ID");
  parts->SetMasterSource(Source);
  Query->SetRecNo(4);
  const String page = ReportPage(parts, "Stock <2024>");
  const std::vector<String> order = {"<title>Stock &lt;2024&gt;</title>",
                                     "<h1>Stock &lt;2024&gt;</h1>",
                                     "<caption>Items</caption>",
                                     "<th>ID</th><th>NAME</th><th>KIND</th><th>RCHECK</th>",
                                     "<td>1</td><td>Alpha</td>",
                                     "<caption>Parts</caption>",
                                     "<td>bolt</td>",
                                     "<td>nut &amp; &lt;washer&gt;</td>",
                                     "<td>2</td><td>beta</td>",
                                     "<td>3</td><td>Gamma</td>",
                                     "<td>spring</td>",
                                     "<td>5</td><td>alphabet</td>"};
  const std::vector<size_t> places = Places(page, order);
  EXPECT_EQ(std::count(places.begin(), places.end(), String::npos), 0) << page;
  const size_t betaRow = page.find("<td>2</td><td>beta</td>");
  EXPECT_EQ(page.find("<caption>Parts</caption>", betaRow),
            page.find("<caption>Parts</caption>", page.find("<td>3</td><td>Gamma</td>")))
      << "no detail table under a row without detail rows";
  EXPECT_EQ(Query->RecNo(), 4);
}

TEST_F(GridReportTest, WithoutDetailTheMasterAloneUnderTheCaptionWhenNoTitle) {
  const String page = ReportPage(nullptr, String());
  EXPECT_NE(page.find("<h1>Items</h1>"), String::npos);
  EXPECT_NE(page.find("<td>5</td><td>alphabet</td><td>3</td><td>+</td>"), String::npos) << page;
  EXPECT_EQ(page.find("Parts"), String::npos);
}

TEST(ToolWindows, ProgressIsCancelledAtTheOperatorsStepAndClosesWithItsLastReference) {
  THeadlessScope operatorScope("cancel-progress 3");
  IProgress_001* progress = nullptr;
  GetIProgressEx(progress, "Loading", "Rows", 10, 5);
  ASSERT_NE(progress, nullptr);
  progress->SetStage("Stage 2", 20);
  std::vector<bool> steps;
  for (int i = 0; i < 4; ++i) steps.push_back(progress->Step("row"));
  EXPECT_EQ(steps, (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(progress->_AddRef(), 2);
  EXPECT_EQ(progress->_Release(), 1);
  EXPECT_EQ(progress->_Release(), 0);
  const std::vector<TRecordEntry> windows =
      operatorScope.Record().OfKind(TRecordKind::ProgressWindow);
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].Caption, "Loading");
  EXPECT_EQ(windows[0].Maximum, 20);
  EXPECT_EQ(windows[0].CancelledAtStep, 3);
}

TEST(ToolWindows, WaitAndListWindowsAreRecorded) {
  THeadlessScope operatorScope;
  TObject* wait = ShowGIF("Selecting cards\rPlease wait...");
  wait->Free();
  FreeOnExit<TStringList> lines(TStringList::Create());
  lines->Add("12");
  lines->Add("15");
  ShowFileList1(lines.Get(), "Not found");
  ShowFileList1(lines.Get(), String());
  const TOperatorRecord& record = operatorScope.Record();
  ASSERT_EQ(record.Count(), 3);
  EXPECT_EQ(record[0].Kind, TRecordKind::WaitWindow);
  EXPECT_EQ(record[0].Text, "Selecting cards\rPlease wait...");
  EXPECT_EQ(record[1].Caption, "Not found");
  EXPECT_EQ(record[1].Lines, (std::vector<String>{"12", "15"}));
  EXPECT_EQ(record[2].Caption, "List");
}

TEST(ComFormLibBinding, MissingLibraryFailedLoadAndMissingProcedureHaveTheirTexts) {
  TTempFolder folder;
  Finally back([] { SetComFormLibFolder(String()); });
  SetComFormLibFolder(folder.Path());
  EXPECT_EQ(
      ErrorOf([] { GetComFormLibProc("RSelect"); }),
      "uComFormLibInt.LoadLib: \"" + folder.Path() + "libComFormLibs.so\" library is not found");
  TTempFolder::WriteFile(folder / "libComFormLibs.so", "not a library");
  try {
    GetComFormLibProc("RSelect");
    FAIL() << "a file that is no library loaded";
  } catch (const EOSError& error) {
    EXPECT_NE(error.Message().find("libComFormLibs.so"), String::npos) << error.Message();
  }
  SetComFormLibFolder(String());
  try {
    GetComFormLibProc("NoSuchProcedure");
    FAIL() << "a procedure the library does not have was found";
  } catch (const EAssertionFailed& error) {
    EXPECT_EQ(error.Message(),
              "uComFormLibInt: \"NoSuchProcedure\" procedure not found in ComFormLibs.dll");
  }
  EXPECT_NE(GetComFormLibProc("RunSelectDS"), nullptr);
}

}  // namespace
