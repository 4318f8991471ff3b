#include "src/ComFormLibs/uGridReport.h"

#include <vector>

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/WidgetSet.h"
#include "src/ComFormLibs/uFieldTags.h"

namespace {

constexpr int kNameAttempts = 100;

String Escaped(const String& text) {
  String result;
  for (char c : text) {
    switch (c) {
      case '&':
        result += "&amp;";
        break;
      case '<':
        result += "&lt;";
        break;
      case '>':
        result += "&gt;";
        break;
      case '"':
        result += "&quot;";
        break;
      default:
        result += c;
    }
  }
  return result;
}

String Cells(const char* tag, const std::vector<String>& texts) {
  String row = "<tr>";
  for (const String& text : texts)
    row += String("<") + tag + ">" + Escaped(text) + "</" + tag + ">";
  return row + "</tr>\n";
}

class TReportTable {
 public:
  explicit TReportTable(TDataSet* dataSet)
      : FDataSet(dataSet), FFields(ToolFields(dataSet, toShow)) {}

  int ColumnCount() const { return static_cast<int>(FFields.size()); }

  String Titles() const {
    std::vector<String> labels;
    for (TField* field : FFields) labels.push_back(field->DisplayLabel());
    return Cells("th", labels);
  }

  // The row the dataset's fields read now.
  String CurrentRow() const {
    std::vector<String> texts;
    for (TField* field : FFields) texts.push_back(field->DisplayText());
    return Cells("td", texts);
  }

  // Every row, read in place without moving the cursor.
  String AllRows() const {
    String rows;
    const int count = FDataSet->Active() ? FDataSet->RecordCount() : 0;
    for (int recNo = 1; recNo <= count; ++recNo) {
      const TDataSet::TActiveRecordScope row(FDataSet, recNo);
      rows += CurrentRow();
    }
    return rows;
  }

  String Table(const String& caption) const { return Table(caption, AllRows()); }
  String Table(const String& caption, const String& rows) const {
    return "<table>\n<caption>" + Escaped(caption) + "</caption>\n" + Titles() + rows +
           "</table>\n";
  }

 private:
  TDataSet* FDataSet;
  std::vector<TField*> FFields;
};

bool Follows(TDataSet* detail, TDataSet* master) {
  return detail->MasterSource() && detail->MasterSource()->DataSet() == master;
}

void ReturnTo(TDataSet* dataSet, const TBookmark& place) {
  if (dataSet->BookmarkValid(place)) dataSet->GotoBookmark(place);
}

String MasterRowsWithDetail(TDataSet* master, TDataSet* detail, const String& detailCaption) {
  const TReportTable masterTable(master);
  const TReportTable detailTable(detail);
  String rows;
  for (master->First(); !master->Eof(); master->Next()) {
    rows += masterTable.CurrentRow();
    if (detail->Active() && !detail->IsEmpty())
      rows += "<tr><td colspan=\"" + IntToStr(masterTable.ColumnCount()) + "\">" +
              detailTable.Table(detailCaption) + "</td></tr>\n";
  }
  return rows;
}

// Each master row with its detail rows under it: the master's cursor walks so that the detail
// follows it, and comes back to its row at the end.
String MasterWithDetail(TDataSet* master, TDataSet* detail, const String& masterCaption,
                        const String& detailCaption) {
  const TBookmark place = master->GetBookmark();
  detail->DisableControls();
  Finally enable([detail] { detail->EnableControls(); });
  String rows;
  try {
    rows = MasterRowsWithDetail(master, detail, detailCaption);
  } catch (...) {
    ReturnTo(master, place);
    throw;
  }
  ReturnTo(master, place);
  return TReportTable(master).Table(masterCaption, rows);
}

String ReportBody(TDataSet* master, TDataSet* detail, const String& masterCaption,
                  const String& detailCaption) {
  if (detail && Follows(detail, master))
    return MasterWithDetail(master, detail, masterCaption, detailCaption);
  String html = TReportTable(master).Table(masterCaption);
  if (detail) html += TReportTable(detail).Table(detailCaption);
  return html;
}

String ReportPage(const String& title, const String& body) {
  return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escaped(title) +
         "</title>\n<style>table{border-collapse:collapse;margin:4px 0}"
         "th,td{border:1px solid #999;padding:2px 6px}caption{font-weight:bold;text-align:left}"
         "</style>\n</head>\n<body>\n<h1>" +
         Escaped(title) + "</h1>\n" + body + "</body>\n</html>\n";
}

// A new file of the report's own in the temporary folder: the text is written under a name
// made unique there, then given the page's extension, never over an older report.
String SaveReport(const String& content) {
  const String folder = GetTempDir() + "ComFormLibs" + PathDelim;
  ForceDirectories(folder);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const String scratch = GetTempFileName(folder, "GridReport");
    AtomicWriteFile(scratch, content);
    const String page = ChangeFileExt(scratch, ".html");
    if (RenameFile(scratch, page)) return page;
    DeleteFile(scratch);
  }
  throw EInOutError("Unable to create a report file in " + folder);
}

}  // namespace

String WriteGridReport(TDataSet* master, TDataSet* detail, const String& masterCaption,
                       const String& detailCaption, const String& title) {
  Assert(master != nullptr, "uGridReport.WriteGridReport: Master = nil");
  const String heading = title.empty() ? masterCaption : title;
  const String page =
      SaveReport(ReportPage(heading, ReportBody(master, detail, masterCaption, detailCaption)));
  ShellOpenDocument(page);
  return page;
}
