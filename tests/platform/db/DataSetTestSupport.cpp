#include "DataSetTestSupport.h"

RTL_CLASS_IMPL(TTestDataSet, TDataSet)
