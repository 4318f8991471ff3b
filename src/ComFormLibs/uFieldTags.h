// Which fields each grid tool offers, read from the fields' tags.
//
// A window that sets up its grids gives each field a tag word: the bitwise or of 0xF9, 0xFA
// and 0xFC for the tools it allows. The common high bits 0xF8 say that the word is one of ours;
// the low three bits name the tools:
//   0x01 sort     (0xF9): the field is a column of the query that ORDER BY can name;
//   0x02 filter   (0xFA): the field is a column a server-side condition can name;
//   0x04 show     (0xFC): find and report work on what the field shows.
// So a data field gets 0xFF, a calculated or lookup field and the check field 0xFC. A field
// whose tag is not such a word (another meaning a window gave it) is offered by no tool.
//
// A dataset none of whose fields carries such a word (one shown without our window around it)
// is read by the same rule the window applies: every visible field of a simple type with a
// label, data fields for all tools, calculated and lookup fields and RCHECK for show only.
//
// Sort and filter name the field in SQL text, so they offer only data fields whose names are
// plain identifiers, whatever the tag says.
#pragma once

#include <cstdint>
#include <vector>

class TDataSet;
class TField;

enum TToolOption : int32_t { toSort = 0x01, toFilter = 0x02, toShow = 0x04 };

// The fields the tool offers, in field order.
std::vector<TField*> ToolFields(TDataSet* dataSet, TToolOption option);
