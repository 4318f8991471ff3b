// A widget set for the model's own tests: it answers message boxes with a chosen button, picks
// a chosen popup item and keeps what it was asked to show. Installed for its lifetime.
#pragma once

#include <vector>

#include "platform/ui/Forms.h"
#include "platform/ui/WidgetSet.h"

class TFakeWidgetSet : public TWidgetSet {
 public:
  TFakeWidgetSet() : FPrevious(SetWidgetSet(this)) {}
  ~TFakeWidgetSet() override { SetWidgetSet(FPrevious); }

  std::vector<TMessageBoxRequest> Boxes;
  int Answer = IDOK;
  std::vector<uint32_t> Beeps;
  std::vector<String> Menus;
  TMenuItem* MenuChoice = nullptr;

  void RunModal(TModalSession& session) override {
    while (!session.Ended()) session.Form()->SetModalResult(mrCancel);
  }
  int MessageBox(const TMessageBoxRequest& request) override {
    Boxes.push_back(request);
    return Answer;
  }
  void MessageBeep(uint32_t type) override { Beeps.push_back(type); }
  TMenuItem* TrackPopupMenu(TPopupMenu* menu, TPoint) override {
    Menus.push_back(menu->Name());
    return MenuChoice;
  }
  void ShowListWindow(const String&, const std::vector<String>&) override {}
  std::unique_ptr<TWaitWindow> ShowWaitWindow(const String&) override { return nullptr; }
  std::unique_ptr<TProgressWindow> ShowProgressWindow(const String&, const String&, int) override {
    return nullptr;
  }

 private:
  TWidgetSet* FPrevious;
};
