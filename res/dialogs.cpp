// The three dialog templates: the main window, the prompt and the About box.
// Positions and sizes are in dialog units.
#include "res/resource.h"
#include "res/resource_parts.h"

#include <iterator>

namespace veldrin_res {
namespace {

constexpr DWORD kControl = WS_CHILD | WS_VISIBLE;
constexpr LPCTSTR kFont = "MS Sans Serif";

// The list fills the client area; it starts one unit narrower than the
// window's client area and the first resize fits it exactly.
const DlgItemTemplate kScannerItems[] = {
    {"SysListView32", IDC_RESULTS, nullptr, 0, 0, 0, 185, 105,
     kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT},
};

const DlgItemTemplate kPromptItems[] = {
    {"Button", IDOK, "OK", 0, 70, 40, 50, 16, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"Button", IDCANCEL, "Cancel", 0, 128, 40, 52, 16, kControl | BS_PUSHBUTTON | WS_TABSTOP},
    {"Static", IDC_PROMPT_TEXT, "Prompt", 0, 5, 5, 175, 20, kControl | SS_LEFT | WS_GROUP},
    {"Edit", IDC_PROMPT_EDIT, "", 0, 5, 25, 175, 10,
     kControl | ES_LEFT | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
};

const DlgItemTemplate kAboutItems[] = {
    {"Static", IDC_STATIC, nullptr, IDR_MAINFRAME, 7, 14, 20, 20, kControl | SS_ICON},
    {"Static", IDC_STATIC, "Veldrin Version 1.2", 0, 40, 10, 119, 8,
     kControl | SS_LEFT | SS_NOPREFIX | WS_GROUP},
    {"Static", IDC_STATIC,
     "Copyright (C) 2026 the Veldrin developers.\n"
     "Shows the readable text inside any file.",
     0, 40, 25, 170, 23, kControl | SS_LEFT | WS_GROUP},
    {"Button", IDOK, "OK", 0, 178, 7, 32, 14, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
};

}  // namespace

// Resizable, with its own task-bar button, and a target for dropped files.
// Neither this nor the other two templates centre themselves: the window
// code centres each dialog once its initialisation has returned.
const DlgTemplate kScannerDialog = {
    IDD_SCANNER_DIALOG, "Veldrin", 0, 0, 186, 105, kFont, 8,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
        DS_SETFONT,
    WS_EX_APPWINDOW | WS_EX_ACCEPTFILES, IDR_MAINMENU, kScannerItems, static_cast<int>(std::size(kScannerItems)),
};

// The caption is replaced by the prompt text at initialisation.
const DlgTemplate kPromptDialog = {
    IDD_PROMPT, "Dialog", 0, 0, 186, 61, kFont, 8,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0, 0, kPromptItems, static_cast<int>(std::size(kPromptItems)),
};

const DlgTemplate kAboutDialog = {
    IDD_ABOUTBOX, "About Veldrin", 0, 0, 217, 55, kFont, 8,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0, 0, kAboutItems, static_cast<int>(std::size(kAboutItems)),
};

}  // namespace veldrin_res
