#pragma once
// What the composer window must show: its 25 controls with their kinds,
// texts, ids and start values; a layout where nothing is clipped or
// overlapping; and the Tab order through its controls.
#include <windows.h>

#include "Report.h"

namespace uia {

void CheckComposerControls(HWND composer, Report& report);
void CheckComposerLayout(HWND composer, Report& report);
void CheckTabOrder(HWND composer, Report& report);

}  // namespace uia
