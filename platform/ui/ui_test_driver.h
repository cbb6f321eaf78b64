// Driving the real windows from tests, under Qt's offscreen platform.
//
// Modal windows run their own loops, so a test says first what to do once
// the next modal window is up, then starts it:
//
//   uitest::WhenModal([] { uitest::TypeText("abc"); uitest::PressKey(uitest::Key::Enter); });
//   EXPECT_EQ(dlg.DoModal(), IDOK);
//
// Actions run in the order they were given, one per modal window, as each
// window comes up; an action may give further ones for the windows it opens
// (a save dialog, then its question). The functions below act on the
// innermost modal window (or on the given window), as a user would: key
// presses go to the focused widget and travel up as real ones do.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/win_types.h"

class CWnd;

namespace uitest {

// Makes the QApplication unless there is one.
void EnsureApplication();
// Delivers what is pending, deferred deletions included.
void ProcessEvents();

// Runs fnAction once the next modal window is shown and active. A modal
// window left up for 20 s with nothing to do for it ends the test program.
void WhenModal(std::function<void()> fnAction);
// Actions given but not yet run.
int PendingModalActions();

enum class Icon { None, Stop, Exclamation, Question, Information };
std::string ModalCaption();
// A message box's text.
std::string ModalText();
Icon ModalIcon();

// Types into the focused widget; in a file dialog, into its file name.
void TypeText(const std::string& text);

enum class Key { Enter, Escape, Tab, Space, F1, F4, Up, Down, Left, Right, Home, End, Backspace };
enum Modifier : unsigned { NoModifier = 0, Shift = 1, Ctrl = 2, Alt = 4 };
// A press and release; to an open pop-up menu when there is one.
void PressKey(Key key, unsigned modifiers = NoModifier);
// The same in pWnd's window, made active first.
void PressKeyIn(CWnd* pWnd, Key key, unsigned modifiers = NoModifier);

// Clicks the modal window's button with this text ('&' marks left out).
bool ClickButton(const std::string& text);
// Closes the modal window as its close box does.
void CloseModal();

struct FocusText {
  bool bEdit = false;  // the focus is in an edit field
  std::string text;
  bool bAllSelected = false;
};
FocusText ModalFocusText();

struct Rect {
  int x, y, cx, cy;
};
// Outer frames, in screen coordinates.
Rect ModalGeometry();
Rect WindowGeometry(CWnd* pWnd);
Rect WorkArea();
void MoveWindowTo(CWnd* pWnd, int x, int y);
// Resizes the window inside its frame (menu bar and client area), as
// dragging its border does.
void ResizeWindow(CWnd* pWnd, int cx, int cy);
// The title the window shows.
std::string WindowTitle(CWnd* pWnd);
// The sizes of the window icon's images (width of each).
std::vector<int> WindowIconSizes(CWnd* pWnd);

// The open file dialog.
struct FileDialogState {
  bool bSave = false;
  std::vector<std::string> filters;
  std::string selectedFilter;
  std::string fileName;  // the file name field
  bool bFileNameSelected = false;
  std::string directory;
};
FileDialogState FileDialog();

// Chooses the menu bar item nId as a click would: nothing when it is grayed.
// Answers whether it was chosen; its command has run on return.
bool ActivateMenuItem(CWnd* pWnd, UINT nId);
// Right-clicks the menu bar beside its items.
bool RightClickMenuBar(CWnd* pWnd);
// The items of the open pop-up menu ("" for a separator), or none.
std::vector<std::string> PopupMenuItems();
// Chooses an item of the open pop-up menu by its text; its command has run
// on return.
bool ChoosePopupItem(const std::string& text);

// Drags files onto the window and drops them: local paths, or URLs
// ("http://...", "file:///...").
bool DropFiles(CWnd* pWnd, const std::vector<std::string>& items);

}  // namespace uitest
