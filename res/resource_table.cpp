#include "res/resources.h"

#include <iterator>

#include "res/resource_parts.h"

namespace {

using namespace veldrin_res;

const DlgTemplate* const kDialogs[] = {&kAboutDialog, &kScannerDialog, &kPromptDialog};
const MenuTemplate* const kMenus[] = {&kMainMenu};
const IconGroup* const kIcons[] = {&kMainFrameIcon, &kSmallIcon};

}  // namespace

const ResourceTable* VeldrinResources() {
  // Built on first use: the string count lives in another file, so a table
  // at namespace scope would be filled only during dynamic initialisation.
  static const ResourceTable table = {
      kDialogs, static_cast<int>(std::size(kDialogs)),
      kMenus,   static_cast<int>(std::size(kMenus)),
      kStrings, kStringCount,
      kIcons,   static_cast<int>(std::size(kIcons)),
      &kVersion,
  };
  return &table;
}
