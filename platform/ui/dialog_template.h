// Dialog templates turned into widgets (inside platform/ui only).
#pragma once

#include <QFont>

#include "platform/core/resource_types.h"

class DialogWindow;

// Dialog units of a font: a horizontal unit is a quarter of the average
// character width, a vertical one an eighth of the character height.
struct DialogUnits {
  int nBaseX;  // average width of "A".."Z" "a".."z", rounded
  int nBaseY;  // height
  int X(int du) const;
  int Y(int du) const;
};

// The template's font (DS_SETFONT) as Qt resolves it, else the
// application's font.
QFont DialogFont(const DlgTemplate& dlgTemplate);
DialogUnits DialogUnitsOf(const QFont& font);

// Makes the template's controls in the window's client area, in tab order,
// placed and sized as the template says.
void CreateControls(DialogWindow* pWindow, const DialogUnits& units);
