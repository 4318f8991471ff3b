// The mark operations: every row of a dataset marked, cleared or inverted in its check field.
//
// A mark is held as the system's check fields hold it: "+" / "-" in a text field, 1 / 0 in a
// number field, true / false in a Boolean one; anything else reads as unmarked. A field of
// another type cannot hold marks and is refused before any row is touched.
//
// The rows are walked once with the dataset's controls disabled, so grids and other followers
// hear of the change once at the end instead of once per row; only rows whose mark changes are
// edited and posted.
#pragma once

#include "src/ComUnits/uDBGridInt.h"

enum TSelectMode { smMarkAll = 0, smClearAll = 1, smInvert = 3 };

// What happens to the cursor afterwards: back to the row that was current, or on the first row.
enum class TSelectEnd { KeepPlace, FirstRow };

// takesPart (when assigned) tells for the current row whether it takes part; changed (when
// assigned) hears of every row whose mark was changed, after the change. Raises for a missing
// dataset, an unknown mode, a missing check field or one of a type that cannot hold marks. A
// closed or empty dataset is left alone.
void RunSelect(TDataSet* dataSet, int mode, const String& checkFieldName, TSelectEnd end,
               const TMySelectNotifyEvent& changed = {},
               const TMySelectFilterEvent& takesPart = {});
