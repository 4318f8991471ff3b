// The library's exported functions, for hosts. Every function takes the host's session and
// schema first (an empty schema is the session's user); lists, items and datasets stay the
// host's; true means the operator confirmed a selection. Exceptions other than the operator's
// break reach the host after the dialog was freed.
#pragma once

#include <cstdint>

#include "platform/db/DataSet.h"
#include "platform/ora/OraSession.h"
#include "src/ComUnits/uDBItems.h"

extern "C" {

// Service points, their groups, terminals and shifts.
bool GetTOList(TOraSession* session, const String& schema, int32_t ignored, TDBItemList* list);
bool GetTOList2(TOraSession* session, const String& schema, uint8_t mode, TDBItemList*& list);
bool GetTOWithoutGrSFList(TOraSession* session, const String& schema, int32_t ignored,
                          TDBItemList*& list);
bool ShowTOWithoutGrSFListWarning(TOraSession* session, const String& schema);
bool GetMyTOList(TOraSession* session, const String& schema, TDBItemList* list);
bool GetListMyPOS(TOraSession* session, const String& schema, int32_t ignored, TDBItemList* list);
bool GetSinglePOS(TOraSession* session, const String& schema, TDBItem*& item);
bool GetSingleTerminal(TOraSession* session, const String& schema, TDBItem*& item);
bool GetShiftTO(TOraSession* session, const String& schema, int32_t ignored, TDBItemList* list);
bool GetPosGroupsForSF(TOraSession* session, const String& schema, TDBItemList* list);
bool GetPosFromGrpPos(TOraSession* session, const String& schema, TDataSet* dataSet);

// Emitents, emitent groups, filials and generic groups.
bool GetEmitList(TOraSession* session, const String& schema, TDBItemList* list, uint8_t excludeOwn);
bool GetEmitent(TOraSession* session, const String& schema, TDBItemList* list);
bool GetDEmitList(TOraSession* session, const String& schema, TDBItemList* list,
                  uint8_t excludeOwn);
bool GetGrpEmt(TOraSession* session, const String& schema, TDBItemList* list);
bool GetEmitentFilial(TOraSession* session, const String& schema, TDBItemList* list, int32_t mode);
bool GetSingleGroupEmit(TOraSession* session, const String& schema, TDBItemList* list);
bool GetGroupsClients(TOraSession* session, const String& schema, TDBItemList* list);
bool GetSelEmByGroup(TOraSession* session, const String& schema, TDataSet* dataSet);
}
