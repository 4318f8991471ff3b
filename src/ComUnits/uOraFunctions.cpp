#include "src/ComUnits/uOraFunctions.h"

#include "platform/ora/OraDataSet.h"
#include "platform/ora/OraPackage.h"
#include "platform/ora/SqlText.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "src/ComUnits/uComFunctions.h"

namespace {

void SetQueryShema(TOraQuery* query, const String& schema) {
  try {
    query->MacroByName("Shema")->SetValue(schema);
  } catch (const Exception& error) {
    ShowKindMessage("Component: " + query->Name() + ":\r\n" + Trim(error.Message()), 1);
  }
}

// A new name makes the procedure build its call again; the parameters the window set up stay.
void SetStoredProcShema(TOraStoredProc* proc, const String& schema) {
  try {
    String name = proc->StoredProcName();
    fSetShemaName(name, schema);
    if (name == proc->StoredProcName()) return;
    FreeOnExit<TOraParams> saved(TOraParams::Create());
    saved->Assign(proc->Params());
    proc->SetStoredProcName(name);
    proc->PrepareSQL();
    // A procedure that had no parameters yet keeps the ones its call now declares.
    if (saved->Count() > 0) proc->Params()->Assign(saved.Get());
  } catch (const Exception& error) {
    ShowMessageBox(proc->Name() + ": " + Trim(error.Message()), "Conversion  of parameters", 1);
  }
}

}  // namespace

void fSetShemaName(String& name, const String& schema) {
  const size_t dot = name.find('.');
  if (dot == String::npos)
    throw Exception("uOraFunctions.fSetShemaName: Symbol \".\" is not found in \"" + name + "\"");
  name = schema + name.substr(dot);
}

void SetSessionForComponents(TComponent* owner, TOraSession* session) {
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* component = owner->Components(i);
    if (auto* dataSet = dynamic_cast<TOraDataSet*>(component))
      dataSet->SetSession(session);
    else if (auto* package = dynamic_cast<TOraPackage*>(component))
      package->SetSession(session);
  }
}

namespace {

// SetShemaForComponent once the schema is known to be an identifier.
void ApplyShema(TComponent* component, const String& schema) {
  if (component->Tag() != 0) return;
  if (auto* query = dynamic_cast<TOraQuery*>(component)) {
    SetQueryShema(query, schema);
  } else if (auto* package = dynamic_cast<TOraPackage*>(component)) {
    String name = package->PackageName();
    fSetShemaName(name, schema);
    package->SetPackageName(name);
  } else if (auto* proc = dynamic_cast<TOraStoredProc*>(component)) {
    SetStoredProcShema(proc, schema);
  }
}

}  // namespace

void SetShemaForComponent(TComponent* component, const String& schema) {
  // The schema reaches query texts as raw text: only an identifier may go there.
  CheckSchemaName(schema);
  ApplyShema(component, schema);
}

void fSetShema(TComponent* owner, const String& schema) {
  if (schema.empty()) {
    ShowKindMessage("uOraFunctions.fSetShema: \r\nSchema is not define", 1);
    return;
  }
  CheckSchemaName(schema);
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* component = owner->Components(i);
    try {
      ApplyShema(component, schema);
    } catch (Exception& error) {
      error.SetMessage(component->Name() + ": " + error.Message());
      throw;
    }
  }
}
