// The main window's menu bar. Help is placed at the right end of the bar.
#include "res/resource.h"
#include "res/resource_parts.h"

#include <iterator>

namespace veldrin_res {
namespace {

template <std::size_t N>
constexpr MenuItemTemplate Popup(LPCTSTR pszText, const MenuItemTemplate (&items)[N], UINT nFlags = 0) {
  return {MF_POPUP | nFlags, 0, pszText, items, static_cast<int>(N)};
}

constexpr MenuItemTemplate Command(UINT nId, LPCTSTR pszText) { return {MF_STRING, nId, pszText, nullptr, 0}; }

constexpr MenuItemTemplate kSeparator = {MF_SEPARATOR, 0, nullptr, nullptr, 0};

const MenuItemTemplate kExportItems[] = {
    Command(IDM_EXPORT_ALL, "&All..."),
    Command(IDM_EXPORT_MARKED, "&Marked..."),
};

const MenuItemTemplate kFileItems[] = {
    Command(IDM_FILE_OPEN, "&Open..."),
    Popup("&Export", kExportItems),
    kSeparator,
    Command(IDM_FILE_EXIT, "E&xit"),
};

const MenuItemTemplate kEditItems[] = {
    Command(ID_EDIT_FIND, "Find..."),
};

const MenuItemTemplate kOptionsItems[] = {
    Command(IDM_OPTIONS_MINLENGTH, "&Minimum Text Length..."),
};

const MenuItemTemplate kHelpItems[] = {
    Command(IDM_HELP_ABOUT, "About..."),
};

const MenuItemTemplate kBarItems[] = {
    Popup("&File", kFileItems),
    Popup("&Edit", kEditItems),
    Popup("&Options", kOptionsItems),
    Popup("&Help", kHelpItems, MF_HELP),
};

}  // namespace

const MenuTemplate kMainMenu = {IDR_MAINMENU, kBarItems, static_cast<int>(std::size(kBarItems))};

}  // namespace veldrin_res
