// CDialog: a window made from a dialog template, run modally (DoModal) or
// modeless (Create), with dialog data exchange.
#pragma once

#include "platform/ui/wnd.h"

class CDialog;
class CEdit;
class CListCtrl;

class CDataExchange {
 public:
  CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
      : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
  CDialog* m_pDlgWnd;
  // TRUE: from the controls into the members; FALSE: the other way.
  BOOL m_bSaveAndValidate;
};

// Binds rControl to control nIdc, once.
void DDX_Control(CDataExchange* pDX, int nIdc, CEdit& rControl);
// Shows rList in the list view nIdc, once.
void DDX_Control(CDataExchange* pDX, int nIdc, CListCtrl& rList);
// The text of control nIdc (an edit field or a static text).
void DDX_Text(CDataExchange* pDX, int nIdc, CString& value);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  // A dialog that is still up is destroyed here, after the derived class's
  // members: destroy it first (DestroyWindow) when they are bound to it.
  ~CDialog() override;

  // Creates the dialog hidden, runs OnInitDialog, centres it and shows it,
  // then runs a modal loop until EndDialog; answers EndDialog's value, or -1
  // when the dialog could not be made. The owner (the parent's window, else
  // the main window) is disabled meanwhile.
  virtual INT_PTR DoModal();
  // The same without the modal loop; shown when the template is visible.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  // Ends the modal loop with nResult (a modeless dialog is hidden).
  void EndDialog(int nResult);
  BOOL DestroyWindow() override;

  // Runs DoDataExchange; answers TRUE.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  UINT GetTemplateId() const { return m_nIDTemplate; }
  // The help context id of the dialog (its template id).
  UINT m_nIDHelp;

 protected:
  // Puts the members into the controls; TRUE lets the dialog give the focus
  // to the first control that takes it.
  virtual BOOL OnInitDialog();
  // UpdateData(TRUE), then EndDialog(IDOK).
  virtual void OnOK();
  // EndDialog(IDCANCEL).
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* pDX);

  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

  DECLARE_MESSAGE_MAP()

 private:
  friend void DDX_Control(CDataExchange*, int, CListCtrl&);
  BOOL CreateFromTemplate(UINT nIDTemplate, CWnd* pParentWnd);
  void ShowCreatedWindow();
  void DestroyDialogWindow(bool bUnbindLists);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  int m_nModalResult = -1;
  bool m_bEnded = false;
  bool m_bCentred = false;
};
