// The grid report: an HTML page of the master rows, each followed by its detail rows when a
// detail following the master is given (a detail that does not follow the master is printed
// after the master's table), written to a new file in the temporary folder and opened through
// the platform's document opening. The columns are the fields tagged for showing
// (uFieldTags.h), with their labels and display texts; the title heads the page (the master's
// caption when it is empty).
#pragma once

#include "platform/rtl/Exceptions.h"

class TDataSet;

// The report's file name.
String WriteGridReport(TDataSet* master, TDataSet* detail, const String& masterCaption,
                       const String& detailCaption, const String& title);
