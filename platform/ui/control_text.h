// The window text of a control widget, whatever its kind (inside
// platform/ui only).
#pragma once

#include "platform/core/cstring.h"

class QWidget;

void SetControlText(QWidget* pWidget, LPCTSTR pszText);
CString GetControlText(const QWidget* pWidget);
// A static text that shows '&' as it is (SS_NOPREFIX).
void SetStaticNoPrefix(QWidget* pLabel, bool bNoPrefix);
