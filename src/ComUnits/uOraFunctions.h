// Points the data components of a window or data module, designed against one schema, at the
// host's session and schema.
#pragma once

#include "platform/rtl/Exceptions.h"

class TComponent;
class TOraSession;

// Replaces what stands before the first "." of Name by Schema ("S.PKG.F" keeps "PKG.F"). A name
// without "." raises an exception naming it.
void fSetShemaName(String& name, const String& schema);

// Every Oracle dataset (queries, stored procedures) and package owned by Owner gets Session.
void SetSessionForComponents(TComponent* owner, TOraSession* session);

// Points one component at Schema, unless its Tag is not 0: a query's macro "Shema", a package's
// name, a stored procedure's name (rebuilt with its parameters kept). Problems of a query or a
// stored procedure are shown and the component is skipped; a bad package name raises.
void SetShemaForComponent(TComponent* component, const String& schema);

// SetShemaForComponent for every component owned by Owner, in order. An empty schema is shown
// and changes nothing; a schema that is no identifier is refused before any text is changed; an
// exception from a component gets the component's name in front.
void fSetShema(TComponent* owner, const String& schema);
