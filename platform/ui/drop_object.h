// What a drop handle holds (inside platform/ui only).
#pragma once

#include <vector>

#include "platform/core/cstring.h"
#include "platform/ui/handles.h"

// One drop's paths. The window that was dropped on owns it for the time of
// its WM_DROPFILES, so nothing is lost whatever the handler does.
struct DropObject {
  std::vector<CString> paths;
};
