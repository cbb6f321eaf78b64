// The shapes of the program's resources: dialog templates, the menu, the
// string table, icons and the version resource. res/ fills them in as
// constant data; the window half of the platform builds windows from them.
#pragma once

#include "platform/core/win_types.h"

// Window styles.
enum : DWORD {
  WS_OVERLAPPED = 0x00000000,
  WS_POPUP = 0x80000000,
  WS_CHILD = 0x40000000,
  WS_MINIMIZE = 0x20000000,
  WS_VISIBLE = 0x10000000,
  WS_DISABLED = 0x08000000,
  WS_MAXIMIZE = 0x01000000,
  WS_CAPTION = 0x00C00000,
  WS_BORDER = 0x00800000,
  WS_DLGFRAME = 0x00400000,
  WS_VSCROLL = 0x00200000,
  WS_HSCROLL = 0x00100000,
  WS_SYSMENU = 0x00080000,
  WS_THICKFRAME = 0x00040000,
  WS_GROUP = 0x00020000,
  WS_TABSTOP = 0x00010000,
  WS_MINIMIZEBOX = 0x00020000,
  WS_MAXIMIZEBOX = 0x00010000,
};
enum : DWORD { WS_EX_DLGMODALFRAME = 0x00000001, WS_EX_ACCEPTFILES = 0x00000010, WS_EX_APPWINDOW = 0x00040000 };
// Dialog styles.
enum : DWORD { DS_MODALFRAME = 0x80, DS_SETFONT = 0x40, DS_CENTER = 0x0800 };
// Control styles.
enum : DWORD {
  BS_PUSHBUTTON = 0x0000,
  BS_DEFPUSHBUTTON = 0x0001,
  SS_LEFT = 0x0000,
  SS_ICON = 0x0003,
  SS_NOPREFIX = 0x0080,
  ES_LEFT = 0x0000,
  ES_AUTOHSCROLL = 0x0080,
  LVS_REPORT = 0x0001,
  LVS_SINGLESEL = 0x0004,
  LVS_SHOWSELALWAYS = 0x0008,
};

// One control of a dialog template, in tab order. Position and size are in
// dialog units.
struct DlgItemTemplate {
  LPCTSTR pszClass;  // "Button", "Static", "Edit", "SysListView32"
  int nId;           // -1 for IDC_STATIC
  LPCTSTR pszText;   // caption, or nullptr
  UINT nImageId;     // icon group of an SS_ICON static, else 0
  short x, y, cx, cy;
  DWORD dwStyle;
};

struct DlgTemplate {
  UINT nId;
  LPCTSTR pszCaption;
  short x, y, cx, cy;  // dialog units
  LPCTSTR pszFont;
  WORD nPointSize;
  DWORD dwStyle;
  DWORD dwExStyle;
  UINT nMenuId;  // 0 for none
  const DlgItemTemplate* pItems;
  int nItems;
};

// Menu item flags.
enum : UINT {
  MF_STRING = 0x0000,
  MF_ENABLED = 0x0000,
  MF_BYCOMMAND = 0x0000,
  MF_GRAYED = 0x0001,
  MF_DISABLED = 0x0002,
  MF_POPUP = 0x0010,
  MF_BYPOSITION = 0x0400,
  MF_SEPARATOR = 0x0800,
  MF_HELP = 0x4000,  // a pop-up placed at the right end of the menu bar
};

struct MenuItemTemplate {
  UINT nFlags;
  UINT nId;  // command id; 0 for a pop-up or a separator
  LPCTSTR pszText;
  const MenuItemTemplate* pItems;  // a pop-up's items
  int nItems;
};

struct MenuTemplate {
  UINT nId;
  const MenuItemTemplate* pItems;
  int nItems;
};

struct StringResource {
  UINT nId;
  LPCTSTR pszText;
};

// One image of an icon group, as XPM text (the lines of an XPM file's array).
struct IconImage {
  int cx, cy;
  const char* const* ppXpm;
};

struct IconGroup {
  UINT nId;
  const IconImage* pImages;
  int nImages;
};

struct VersionString {
  LPCTSTR pszName;
  LPCTSTR pszValue;
};

struct VersionResource {
  WORD fileVersion[4];
  WORD productVersion[4];
  LPCTSTR pszFileType;  // "application"
  LPCTSTR pszOs;        // "32-bit Windows"
  WORD nLanguage;       // 0x0409
  WORD nCodePage;       // 1200
  const VersionString* pStrings;
  int nStrings;
};

struct ResourceTable {
  const DlgTemplate* const* ppDialogs;
  int nDialogs;
  const MenuTemplate* const* ppMenus;
  int nMenus;
  const StringResource* pStrings;
  int nStrings;
  const IconGroup* const* ppIcons;
  int nIcons;
  const VersionResource* pVersion;
};

// The program's resources; set once at start-up, before the first window.
void AfxSetResourceTable(const ResourceTable* pTable);
const ResourceTable* AfxGetResourceTable();
const DlgTemplate* AfxFindDialogTemplate(UINT nId);
const MenuTemplate* AfxFindMenuTemplate(UINT nId);
const IconGroup* AfxFindIconGroup(UINT nId);
// The string with id nId, or nullptr.
LPCTSTR AfxFindString(UINT nId);
