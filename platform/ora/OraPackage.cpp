#include "platform/ora/OraPackage.h"

#include "platform/db/Fields.h"

RTL_CLASS_IMPL_CREATABLE(TOraPackage, TComponent)

void TOraPackage::SetSession(TOraSession* session) {
  if (session == FSession) return;
  if (FSession) FSession->RemoveFreeNotification(this);
  FSession = session;
  if (FSession) FSession->FreeNotification(this);
}

void TOraPackage::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FSession) FSession = nullptr;
}

void TOraPackage::Destroy() {
  SetSession(nullptr);
  inherited::Destroy();
}

String TOraPackage::Package() const {
  if (Trim(FPackageName).empty()) DatabaseError("No package name", this);
  return Trim(FPackageName);
}

Variant TOraPackage::GetVariable(const String& name) {
  return UsableSession(FSession, this)->Connection().PackageVariable(Package(), Trim(name));
}

Variant TOraPackage::ExecProc(const String& name, const std::vector<Variant>& args) {
  TOraConnection& connection = UsableSession(FSession, this)->Connection();
  const String routine = Package() + "." + Trim(name);
  if (connection.DescribeRoutine(routine).IsFunction) return connection.CallFunction(routine, args);
  std::vector<Variant> values = args;
  connection.CallProcedure(routine, values);
  return Null();
}
