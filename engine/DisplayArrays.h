// Turning each procedure's match row into the rows the views draw: two aligned panes for the
// vertical and horizontal views, one interleaved listing for the combined view.
#pragma once

#include "ComparisonState.h"
#include "Host.h"
#include "Options.h"

namespace dualis {

void LoadSeparateDisplayArrays(ComparisonState& state, const CompareOptions& options, IHost& host);
void LoadCombinedDisplayArray(ComparisonState& state, const CompareOptions& options, IHost& host);

}  // namespace dualis
