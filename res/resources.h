// The program's resource table: dialogs, menu, strings, icons and version.
#pragma once

#include "platform/core/resource_types.h"

// The table to hand to AfxSetResourceTable at start-up.
const ResourceTable* VeldrinResources();
