#include "platform/ui/dialog.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include "platform/core/list_ctrl.h"
#include "platform/ui/control_text.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/dialog_window.h"
#include "platform/ui/list_view_widget.h"
#include "platform/ui/modal.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/win_app.h"

namespace {

// Centres the window over its owner's frame, or on the work area when it
// has no owner to show it over, then moves it back inside the work area
// where it would stick out. The size stays.
void CenterWindow(QWidget* pWindow, QWidget* pOwner) {
  QScreen* pScreen = pOwner ? pOwner->screen() : QGuiApplication::primaryScreen();
  const QRect area = pScreen->availableGeometry();
  const bool bOverOwner = pOwner && pOwner->isVisible() && !pOwner->isMinimized();
  const QRect center = bOverOwner ? pOwner->frameGeometry() : area;
  const QRect frame = pWindow->frameGeometry();
  auto place = [](int nCenterFirst, int nCenterLength, int nAreaFirst, int nAreaLength, int nLength) {
    int nFirst = (nCenterFirst + nCenterFirst + nCenterLength) / 2 - nLength / 2;
    if (nFirst < nAreaFirst) nFirst = nAreaFirst;
    else if (nFirst + nLength > nAreaFirst + nAreaLength) nFirst = nAreaFirst + nAreaLength - nLength;
    return nFirst;
  };
  pWindow->move(place(center.left(), center.width(), area.left(), area.width(), frame.width()),
                place(center.top(), center.height(), area.top(), area.height(), frame.height()));
}

DialogWindow* WindowOf(CDataExchange* pDX) { return AsDialogWindow(pDX->m_pDlgWnd->m_hWnd); }

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  // The derived class's members are gone: lists bound to the window are not
  // touched any more.
  DestroyDialogWindow(false);
}

BOOL CDialog::CreateFromTemplate(UINT nIDTemplate, CWnd* pParentWnd) {
  if (m_hWnd) return FALSE;
  const DlgTemplate* pTemplate = AfxFindDialogTemplate(nIDTemplate);
  if (pTemplate == nullptr) return FALSE;
  AfxEnsureApplication();
  m_nIDTemplate = nIDTemplate;
  m_nIDHelp = nIDTemplate;
  m_nModalResult = -1;
  m_bEnded = false;
  m_bCentred = false;

  // Owned by the parent's window; without a parent, by the main window.
  CWnd* pOwner = pParentWnd;
  if (pOwner == nullptr && AfxGetMainWnd() != this) pOwner = AfxGetMainWnd();
  QWidget* pOwnerWindow = pOwner && pOwner->m_hWnd ? pOwner->m_hWnd->window() : nullptr;

  auto* pWindow = new DialogWindow(*pTemplate, pOwnerWindow);
  Attach(pWindow);
  m_bOwnsWindow = true;
  const QFont font = DialogFont(*pTemplate);
  const DialogUnits units = DialogUnitsOf(font);
  pWindow->Client()->setFont(font);
  SetWindowText(pTemplate->pszCaption);
  pWindow->SetClientSize(units.X(pTemplate->cx), units.Y(pTemplate->cy));
  // The template's position counts from the owner's client area, else from
  // the work area.
  QPoint origin = pOwnerWindow ? pOwnerWindow->mapToGlobal(QPoint(0, 0))
                               : QGuiApplication::primaryScreen()->availableGeometry().topLeft();
  if (auto* pOwnerDialog = AsDialogWindow(pOwnerWindow)) origin = pOwnerDialog->Client()->mapToGlobal(QPoint(0, 0));
  pWindow->move(origin + QPoint(units.X(pTemplate->x), units.Y(pTemplate->y)));
  pWindow->NotifySize();
  CreateControls(pWindow, units);

  const QPoint before = pWindow->pos();
  const BOOL bSetFocus = static_cast<BOOL>(SendMessage(WM_INITDIALOG));
  if (AsDialogWindow(m_hWnd) != pWindow) return FALSE;  // destroyed meanwhile
  if (bSetFocus) pWindow->GotoControl(pWindow->FirstTabStop());
  // A dialog that its initialisation did not move is centred.
  if (pWindow->pos() == before) {
    CenterWindow(pWindow, pOwnerWindow);
    m_bCentred = true;
  }
  return TRUE;
}

void CDialog::ShowCreatedWindow() {
  DialogWindow* pWindow = AsDialogWindow(m_hWnd);
  const QSize size = pWindow->frameGeometry().size();
  pWindow->show();
  // Centred before its frame was known: again now, when the frame came
  // with showing.
  if (m_bCentred && pWindow->frameGeometry().size() != size) CenterWindow(pWindow, pWindow->parentWidget());
}

INT_PTR CDialog::DoModal() {
  if (!CreateFromTemplate(m_nIDTemplate, m_pParentWnd)) return -1;
  QPointer<DialogWindow> pWindow = AsDialogWindow(m_hWnd);
  if (!m_bEnded) {
    QWidget* pOwner = pWindow->parentWidget();
    pWindow->setWindowModality(pOwner ? Qt::WindowModal : Qt::NonModal);
    ModalScope modal(pWindow, pOwner);
    ShowCreatedWindow();
    pWindow->activateWindow();
    QEventLoop loop;
    pWindow->m_pLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (pWindow) pWindow->m_pLoop = nullptr;
  }
  const int nResult = m_nModalResult;
  DestroyDialogWindow(true);
  return nResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_pParentWnd = pParentWnd;
  if (!CreateFromTemplate(nIDTemplate, pParentWnd)) return FALSE;
  DialogWindow* pWindow = AsDialogWindow(m_hWnd);
  if ((pWindow->Template().dwStyle & WS_VISIBLE) && !m_bEnded) ShowCreatedWindow();
  return TRUE;
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_bEnded = true;
  DialogWindow* pWindow = AsDialogWindow(m_hWnd);
  if (pWindow == nullptr) return;
  if (pWindow->m_pLoop) pWindow->m_pLoop->exit(nResult);
  else pWindow->hide();
}

BOOL CDialog::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  DestroyDialogWindow(true);
  return TRUE;
}

void CDialog::DestroyDialogWindow(bool bUnbindLists) {
  DialogWindow* pWindow = AsDialogWindow(m_hWnd);
  if (pWindow == nullptr) return;
  if (pWindow->m_pLoop) pWindow->m_pLoop->exit(m_nModalResult);
  QWidget* pOwner = pWindow->parentWidget();
  pWindow->hide();
  if (pOwner && pOwner->isVisible()) pOwner->activateWindow();
  if (bUnbindLists) {
    for (const auto& [pWidget, pList] : pWindow->m_lists) BindListView(pWidget, nullptr);
  }
  pWindow->m_lists.clear();
  const bool bBusy = m_nDispatching > 0;
  Detach();
  m_bOwnsWindow = false;
  // Inside one of its own handlers the widget is still on the stack.
  if (bBusy) pWindow->deleteLater();
  else delete pWindow;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

LRESULT CDialog::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_INITDIALOG) return OnInitDialog();
  return CWnd::WindowProc(nMsg, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  // Closing a dialog is its Cancel.
  if (nMsg == WM_CLOSE) {
    DialogWindow* pWindow = AsDialogWindow(m_hWnd);
    QWidget* pCancel = pWindow ? pWindow->ItemWidget(IDCANCEL) : nullptr;
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(pCancel));
    return 0;
  }
  return CWnd::DefWindowProc(nMsg, wParam, lParam);
}

void DDX_Control(CDataExchange* pDX, int nIdc, CEdit& rControl) {
  DialogWindow* pWindow = WindowOf(pDX);
  if (pWindow && rControl.m_hWnd == nullptr) rControl.Attach(pWindow->ItemWidget(nIdc));
}

void DDX_Control(CDataExchange* pDX, int nIdc, CListCtrl& rList) {
  DialogWindow* pWindow = WindowOf(pDX);
  QWidget* pWidget = pWindow ? pWindow->ItemWidget(nIdc) : nullptr;
  if (pWidget == nullptr) return;
  for (const auto& bound : pWindow->m_lists) {
    if (bound.first == pWidget && bound.second == &rList) return;
  }
  BindListView(pWidget, &rList);
  pWindow->m_lists.emplace_back(pWidget, &rList);
}

void DDX_Text(CDataExchange* pDX, int nIdc, CString& value) {
  DialogWindow* pWindow = WindowOf(pDX);
  QWidget* pWidget = pWindow ? pWindow->ItemWidget(nIdc) : nullptr;
  if (pWidget == nullptr) return;
  if (pDX->m_bSaveAndValidate) value = GetControlText(pWidget);
  else SetControlText(pWidget, value);
}
