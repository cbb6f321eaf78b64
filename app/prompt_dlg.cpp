#include "app/prompt_dlg.h"

CPromptDlg::CPromptDlg(CWnd* pParent) : CDialog(IDD_PROMPT, pParent) {}

void CPromptDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROMPT_EDIT, m_editValue);
  DDX_Text(pDX, IDC_PROMPT_EDIT, m_strValue);
  DDX_Text(pDX, IDC_PROMPT_TEXT, m_strPrompt);
}

BOOL CPromptDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_strPrompt);
  // Typing replaces the proposed value at once.
  m_editValue.SetFocus();
  m_editValue.SetSel(0, -1);
  return FALSE;  // the focus is set
}
