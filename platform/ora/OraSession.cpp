#include "platform/ora/OraSession.h"

#include <algorithm>

#include "platform/db/Fields.h"
#include "platform/ora/OraDataSet.h"

RTL_CLASS_IMPL_CREATABLE(TOraSession, TComponent)

namespace {

TOraSession* GDefaultSession = nullptr;

}  // namespace

TOraSession* DefaultSession() { return GDefaultSession; }

void SetDefaultSession(TOraSession* session) { GDefaultSession = session; }

TOraSession* UsableSession(TOraSession* own, const TComponent* component) {
  TOraSession* session = own ? own : GDefaultSession;
  if (!session) DatabaseError("No session is assigned", component);
  return session;
}

void TOraSession::SetServer(const String& value) {
  if (value == FServer) return;
  Disconnect();
  FServer = value;
}

void TOraSession::SetUsername(const String& value) {
  if (value == FUsername) return;
  Disconnect();
  FUsername = value;
}

void TOraSession::SetConnected(bool value) {
  if (value)
    Connect();
  else
    Disconnect();
}

void TOraSession::Connect() {
  if (FConnection) return;
  if (BeforeConnect) BeforeConnect(this);
  try {
    auto connection = std::make_unique<TOraConnection>(FServer, Trim(FUsername), FFaults);
    for (const auto& [name, routine] : FRoutines) connection->RegisterRoutine(name, routine);
    FConnection = std::move(connection);
  } catch (const EDatabaseError& error) {
    DatabaseError(error.Message(), this);
  }
}

void TOraSession::Disconnect() {
  if (!FConnection) return;
  for (TOraDataSet* dataSet : std::vector<TOraDataSet*>(FDataSets)) dataSet->Close();
  FConnection->Rollback();
  FConnection.reset();
}

TOraConnection& TOraSession::Connection() {
  Connect();
  return *FConnection;
}

void TOraSession::StartTransaction() { Connection().StartTransaction(); }

void TOraSession::Commit() {
  if (FConnection) FConnection->Commit();
}

void TOraSession::Rollback() {
  if (FConnection) FConnection->Rollback();
}

TOraDataSet* TOraSession::DataSets(int index) const {
  if (index < 0 || index >= DataSetCount()) ListIndexError(index);
  return FDataSets[static_cast<size_t>(index)];
}

void TOraSession::RegisterRoutine(const String& qualifiedName, TNativeRoutine routine) {
  FRoutines[UpperCase(qualifiedName)] = routine;
  if (FConnection) FConnection->RegisterRoutine(qualifiedName, std::move(routine));
}

void TOraSession::UnregisterRoutine(const String& qualifiedName) {
  FRoutines.erase(UpperCase(qualifiedName));
  if (FConnection) FConnection->UnregisterRoutine(qualifiedName);
}

void TOraSession::AddDataSet(TOraDataSet* dataSet) {
  if (std::find(FDataSets.begin(), FDataSets.end(), dataSet) != FDataSets.end()) return;
  FDataSets.push_back(dataSet);
  FreeNotification(dataSet);
}

void TOraSession::RemoveDataSet(TOraDataSet* dataSet) { std::erase(FDataSets, dataSet); }

void TOraSession::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove)
    std::erase_if(FDataSets, [component](TOraDataSet* dataSet) {
      return static_cast<TComponent*>(dataSet) == component;
    });
}

void TOraSession::Destroy() {
  if (GDefaultSession == this) GDefaultSession = nullptr;
  Disconnect();
  inherited::Destroy();
}
