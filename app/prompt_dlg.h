// CPromptDlg: asks for one line of text under one line of prompt.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "res/resource.h"

class CPromptDlg : public CDialog {
 public:
  explicit CPromptDlg(CWnd* pParent = nullptr);

  CEdit m_editValue;
  CString m_strValue;   // shown in the field, read back after OK
  CString m_strPrompt;  // shown above the field and as the caption

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};
