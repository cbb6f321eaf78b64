// The string table. There is deliberately no application-title string
// (57344): the application name then comes from the executable's name.
#include "res/resource.h"
#include "res/resource_parts.h"

#include <iterator>

namespace veldrin_res {

const StringResource kStrings[] = {
    {IDS_ABOUTBOX, "&About Veldrin..."},
};
const int kStringCount = static_cast<int>(std::size(kStrings));

}  // namespace veldrin_res
