// The icon groups, drawn as XPM images in res/icons/ (tools/make_icons.py
// draws them). The small icon shares the main icon's 16 x 16 image.
#include "res/resource.h"
#include "res/resource_parts.h"

#include <iterator>

#include "res/icons/veldrin_16.xpm"
#include "res/icons/veldrin_32.xpm"

namespace veldrin_res {
namespace {

const IconImage kMainFrameImages[] = {
    {32, 32, veldrin_32_xpm},
    {16, 16, veldrin_16_xpm},
};

const IconImage kSmallImages[] = {
    {16, 16, veldrin_16_xpm},
};

}  // namespace

const IconGroup kMainFrameIcon = {IDR_MAINFRAME, kMainFrameImages, static_cast<int>(std::size(kMainFrameImages))};
const IconGroup kSmallIcon = {IDI_SMALLICON, kSmallImages, static_cast<int>(std::size(kSmallImages))};

}  // namespace veldrin_res
