// TOraSession: the connection of the system's programs to a database. Server is the database
// folder, in which each schema is a file <SCHEMA>.db; Username names the user's own schema (where
// unqualified routine names are looked up). The session connects on its own when one of its
// datasets or packages needs it, running BeforeConnect first.
//
// Transactions belong to the session. Outside StartTransaction every statement commits on its
// own; Disconnect rolls back a transaction left open.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/ora/OraConnection.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"

class TOraDataSet;

class TOraSession : public TComponent {
  RTL_CLASS(TOraSession, TComponent)
 public:
  const String& Server() const { return FServer; }
  // Changing the server or the user of a connected session disconnects it.
  void SetServer(const String& value);
  const String& Username() const { return FUsername; }
  void SetUsername(const String& value);
  const String& Password() const { return FPassword; }
  void SetPassword(const String& value) { FPassword = value; }

  bool Connected() const { return FConnection != nullptr; }
  void SetConnected(bool value);
  void Connect();
  // Closes the session's datasets first.
  void Disconnect();

  void StartTransaction();
  void Commit();
  void Rollback();
  bool InTransaction() const { return FConnection && FConnection->InTransaction(); }

  // The datasets that use this session, in the order they were pointed at it.
  int DataSetCount() const { return static_cast<int>(FDataSets.size()); }
  TOraDataSet* DataSets(int index) const;

  // Routines written in C++ under "PACKAGE.NAME" or "SCHEMA.PACKAGE.NAME" (see TOraConnection);
  // they outlive reconnections.
  void RegisterRoutine(const String& qualifiedName, TNativeRoutine routine);
  void UnregisterRoutine(const String& qualifiedName);
  // Faults armed here fire in the session's engine (also across reconnections).
  TOraFaults& Faults() { return *FFaults; }

  // The engine, connecting first when needed.
  TOraConnection& Connection();

  TNotifyEvent BeforeConnect;

 protected:
  TOraSession() = default;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TOraDataSet;
  void AddDataSet(TOraDataSet* dataSet);
  void RemoveDataSet(TOraDataSet* dataSet);

  String FServer;
  String FUsername;
  String FPassword;
  std::unique_ptr<TOraConnection> FConnection;
  std::shared_ptr<TOraFaults> FFaults = std::make_shared<TOraFaults>();
  std::map<String, TNativeRoutine> FRoutines;
  std::vector<TOraDataSet*> FDataSets;
};

// The process-wide default session: what components without a session of their own use. A
// session that goes away stops being the default.
TOraSession* DefaultSession();
void SetDefaultSession(TOraSession* session);

// The session a component works with: its own, else the default one; EDatabaseError when there
// is neither.
TOraSession* UsableSession(TOraSession* own, const TComponent* component);
