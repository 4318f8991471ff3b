// What the operator saw and did, in order: message boxes with the reply given, list windows,
// wait and progress windows, popup menus, beeps, documents opened, dumps of windows, handler
// errors and the end of the script. Tests read the entries; the host program prints Text().
#pragma once

#include <optional>
#include <vector>

#include "platform/rtl/Exceptions.h"

enum class TRecordKind {
  MessageBox,
  ListWindow,
  WaitWindow,
  ProgressWindow,
  PopupMenu,
  Beep,
  Document,
  Dump,
  HandlerError,
  ScriptEnded
};

// "message box", "list window", ...
String RecordKindName(TRecordKind kind);

struct TControlDump {
  int Depth = 0;  // 0 for the window's own children
  String Name;
  String ClassName;
  String Text;   // the caption or text, when the control has one
  String State;  // "checked", "item 2", "disabled focused", ... empty when there is nothing to say
};

struct TGridDump {
  String Name;
  std::vector<String> Titles;
  std::vector<std::vector<String>> Rows;
  int CurrentRow = -1;  // from 0; -1 without rows
};

struct TWindowDump {
  String Name;
  String ClassName;
  String Caption;
  std::vector<TControlDump> Controls;
  std::vector<TGridDump> Grids;
};

struct TRecordEntry {
  TRecordKind Kind = TRecordKind::MessageBox;
  String Caption;
  String Text;                // message box text; the path of a document opened
  std::vector<String> Lines;  // list window lines, popup items, wait window texts
  uint32_t Flags = 0;         // message box style, beep type
  String Owner;               // message box: the name of the window it belongs to, if any
  String Reply;               // message box: the button pressed ("ok", "yes", ...)
  int Maximum = 0;            // progress window
  int Steps = 0;
  int CancelledAtStep = 0;  // 0 when not cancelled
  std::optional<TWindowDump> Dump;
};

class TOperatorRecord {
 public:
  const std::vector<TRecordEntry>& Entries() const { return FEntries; }
  int Count() const { return static_cast<int>(FEntries.size()); }
  const TRecordEntry& operator[](int index) const;
  // The entries of one kind, in order.
  std::vector<TRecordEntry> OfKind(TRecordKind kind) const;
  // Adds an entry and returns its index.
  int Add(TRecordEntry entry);
  TRecordEntry& Entry(int index);
  void Clear() { FEntries.clear(); }
  // One entry as a line (or a block for lists and dumps).
  static String EntryText(const TRecordEntry& entry);
  // Every entry.
  String Text() const;

 private:
  std::vector<TRecordEntry> FEntries;
};
