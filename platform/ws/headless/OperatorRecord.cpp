#include "platform/ws/headless/OperatorRecord.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Continuation lines of a text are indented under the entry.
String Indented(const String& text, const String& indent) {
  String result;
  for (char c : text) {
    if (c == '\r') continue;
    result += c;
    if (c == '\n') result += indent;
  }
  return result;
}

String Quoted(const String& text) { return "\"" + Indented(text, "    ") + "\""; }

String JoinCells(const std::vector<String>& cells) {
  String line = "|";
  for (const String& cell : cells) line += " " + cell + " |";
  return line;
}

String DumpText(const TWindowDump& dump) {
  String text = "dump " + Quoted(dump.Caption) + " (" + dump.ClassName + " " + dump.Name + ")";
  for (const TControlDump& control : dump.Controls) {
    text += "\n  " + String(static_cast<size_t>(control.Depth) * 2, ' ') + control.ClassName + " " +
            control.Name;
    if (!control.Text.empty()) text += " " + Quoted(control.Text);
    if (!control.State.empty()) text += " [" + control.State + "]";
  }
  for (const TGridDump& grid : dump.Grids) {
    text += "\n  grid " + grid.Name + "\n      " + JoinCells(grid.Titles);
    for (size_t row = 0; row < grid.Rows.size(); ++row)
      text += String("\n    ") + (static_cast<int>(row) == grid.CurrentRow ? "> " : "  ") +
              JoinCells(grid.Rows[row]);
  }
  return text;
}

String ProgressText(const TRecordEntry& entry) {
  String text = "progress window " + Quoted(entry.Caption) + ": " + Quoted(entry.Text) +
                " (maximum " + IntToStr(entry.Maximum) + ", " + IntToStr(entry.Steps) + " steps";
  if (entry.CancelledAtStep) text += ", cancelled at step " + IntToStr(entry.CancelledAtStep);
  return text + ")";
}

}  // namespace

String RecordKindName(TRecordKind kind) {
  switch (kind) {
    case TRecordKind::MessageBox:
      return "message box";
    case TRecordKind::ListWindow:
      return "list window";
    case TRecordKind::WaitWindow:
      return "wait window";
    case TRecordKind::ProgressWindow:
      return "progress window";
    case TRecordKind::PopupMenu:
      return "popup menu";
    case TRecordKind::Beep:
      return "beep";
    case TRecordKind::Document:
      return "document";
    case TRecordKind::Dump:
      return "dump";
    case TRecordKind::HandlerError:
      return "handler error";
    case TRecordKind::ScriptEnded:
      return "script ended";
  }
  return String();
}

const TRecordEntry& TOperatorRecord::operator[](int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return FEntries[static_cast<size_t>(index)];
}

TRecordEntry& TOperatorRecord::Entry(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return FEntries[static_cast<size_t>(index)];
}

std::vector<TRecordEntry> TOperatorRecord::OfKind(TRecordKind kind) const {
  std::vector<TRecordEntry> result;
  for (const TRecordEntry& entry : FEntries)
    if (entry.Kind == kind) result.push_back(entry);
  return result;
}

int TOperatorRecord::Add(TRecordEntry entry) {
  FEntries.push_back(std::move(entry));
  return Count() - 1;
}

String TOperatorRecord::EntryText(const TRecordEntry& entry) {
  const String kind = RecordKindName(entry.Kind);
  switch (entry.Kind) {
    case TRecordKind::MessageBox:
      return kind + " " + Quoted(entry.Caption) +
             (entry.Owner.empty() ? String() : " over " + entry.Owner) + ": " + Quoted(entry.Text) +
             " -> " + entry.Reply;
    case TRecordKind::ListWindow:
    case TRecordKind::PopupMenu: {
      String text = kind + " " + Quoted(entry.Caption) + ":";
      for (const String& line : entry.Lines) text += "\n    " + line;
      return text;
    }
    case TRecordKind::WaitWindow: {
      String text = kind + ": " + Quoted(entry.Text);
      for (const String& line : entry.Lines) text += "\n    then " + Quoted(line);
      return text;
    }
    case TRecordKind::ProgressWindow:
      return ProgressText(entry);
    case TRecordKind::Beep:
      return kind + " " + IntToStr(static_cast<int64_t>(entry.Flags));
    case TRecordKind::Document:
      return kind + ": " + Quoted(entry.Text);
    case TRecordKind::Dump:
      return entry.Dump ? DumpText(*entry.Dump) : kind;
    case TRecordKind::HandlerError:
    case TRecordKind::ScriptEnded:
      return kind + ": " + Indented(entry.Text, "    ");
  }
  return kind;
}

String TOperatorRecord::Text() const {
  String text;
  for (const TRecordEntry& entry : FEntries) text += EntryText(entry) + "\n";
  return text;
}
