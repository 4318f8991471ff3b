// Persistent fields of the emitent dialogs' queries, declared from a table as the window designer
// lays them out: the grid set-up needs the check field before a query opens, and the grid shows
// exactly the fields that carry a title.
#pragma once

#include <initializer_list>

#include "platform/db/DataSet.h"

enum class TFieldClass { Text, Number, Integer, Calculated };

struct TFieldDecl {
  const char* Name;
  TFieldClass Class;
  int Size = 0;                 // text length
  const char* Title = nullptr;  // the column title; without one the field is hidden
  int Width = 0;                // display width in characters (0: the field's own)
};

// Fields are named after the dataset and the column ("OraQuery1RCHECK"), owned by Owner.
void DeclareFields(TComponent* owner, TDataSet* dataSet, std::initializer_list<TFieldDecl> fields);

// The columns of the emitent views that every emitent list declares besides its own.
inline constexpr TFieldDecl EmitentFirmFields[] = {{"ID_FIRM", TFieldClass::Number},
                                                   {"ADRESS", TFieldClass::Text, 100},
                                                   {"DOGOVOR", TFieldClass::Text, 40},
                                                   {"OKPO", TFieldClass::Text, 10},
                                                   {"INN", TFieldClass::Text, 30}};
void DeclareFirmFields(TComponent* owner, TDataSet* dataSet);

// The calculated Caption of the record: "[%s] %s" of ID as text and NAME, or "[%d] %s" of ID as
// an integer and NAME.
void CalcCaptionIDText(TDataSet* dataSet);
void CalcCaptionIDNumber(TDataSet* dataSet);
