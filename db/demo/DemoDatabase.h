// The demo database: an operating centre's schema with its views, base tables, stored routines,
// package variables and realistic seed data, as the system's programs expect to find it.
//
// A database folder holds one SQLite file per schema, "<SCHEMA>.db". The demo folder has two:
// OC_DEMO.db, the operating centre (all lists, PARAM_PACK, TEMP_SELECT_PACK, CARDS_PACK, the
// language package), and OC_57XX.db, the translators' schema in which the programs register the
// Russian phrases of their windows (the same language tables and package).
#pragma once

#include "platform/rtl/Exceptions.h"

inline constexpr const char* DemoSchemaName = "OC_DEMO";
inline constexpr const char* DemoTranslationSchemaName = "OC_57XX";

// Rows per main list: clients, client cards, points of service, terminals, terminal shifts,
// RFID tags, employees and acts. Groups and reference lists have a fixed size; operator cards
// (a tenth of the rows, at least 10) and employee cards (half of the rows) follow the scale.
inline constexpr int DefaultDemoRows = 300;
// The smallest scale at which every value the dialogs filter on still occurs.
inline constexpr int MinDemoRows = 50;
// The card numbering (seven-digit serials) limits the scale.
inline constexpr int MaxDemoRows = 5000000;

// Creates the folder (and missing parents) and the schema files in it, replacing existing ones.
// Each file is built under a temporary name, flushed and then renamed, so that a failure leaves
// no half-written schema file behind. Raises EDatabaseError naming the folder and the cause when
// rowsPerList is outside MinDemoRows..MaxDemoRows or the files cannot be made.
void CreateDemoDatabase(const String& folder, int rowsPerList);

// The rows per list of the demo database in the folder (OC_DEMO.db keeps them as its user
// version), 0 when the folder holds none or its file cannot be read: a program that needs a
// large scale can reuse a database it built before.
int DemoDatabaseRows(const String& folder);
