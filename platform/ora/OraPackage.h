// TOraPackage: a stored package by name ("SCHEMA.PACKAGE", or "PACKAGE" of the session user's
// schema): its variables read by name and its functions and procedures called with positional
// arguments.
#pragma once

#include <vector>

#include "platform/ora/OraSession.h"

class TOraPackage : public TComponent {
  RTL_CLASS(TOraPackage, TComponent)
 public:
  TOraSession* Session() const { return FSession; }
  void SetSession(TOraSession* session);
  const String& PackageName() const { return FPackageName; }
  void SetPackageName(const String& name) { FPackageName = name; }

  // A missing variable raises EDatabaseError naming the variable and the package.
  Variant GetVariable(const String& name);
  // Calls a function (its result) or a procedure (Null) of the package; missing trailing
  // arguments are NULL.
  Variant ExecProc(const String& name, const std::vector<Variant>& args = {});

 protected:
  TOraPackage() = default;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // The package name; EDatabaseError when none is set.
  String Package() const;

  TOraSession* FSession = nullptr;
  String FPackageName;
};
