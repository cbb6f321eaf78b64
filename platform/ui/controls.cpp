#include "platform/ui/controls.h"

#include <QLineEdit>
#include <algorithm>

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
  auto* pEdit = qobject_cast<QLineEdit*>(m_hWnd);
  if (pEdit == nullptr) return;
  if (nStartChar == -1) {
    pEdit->deselect();
    return;
  }
  const int nLength = static_cast<int>(pEdit->text().size());
  const int nStart = std::clamp(nStartChar, 0, nLength);
  const int nEnd = nEndChar < 0 || nEndChar > nLength ? nLength : nEndChar;
  pEdit->setSelection(nStart, nEnd - nStart);
}
