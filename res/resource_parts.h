// The entries of the resource table, each defined in the file that says
// what it holds; resource_table.cpp gathers them.
#pragma once

#include "platform/core/resource_types.h"

namespace veldrin_res {

// dialogs.cpp
extern const DlgTemplate kScannerDialog;
extern const DlgTemplate kPromptDialog;
extern const DlgTemplate kAboutDialog;

// menu.cpp
extern const MenuTemplate kMainMenu;

// strings.cpp
extern const StringResource kStrings[];
extern const int kStringCount;

// icons.cpp
extern const IconGroup kMainFrameIcon;
extern const IconGroup kSmallIcon;

// version.cpp
extern const VersionResource kVersion;

}  // namespace veldrin_res
