#include "platform/ui/modal.h"

#include <QHash>
#include <ranges>

#include "platform/ui/win_app.h"
#include "platform/ui/wnd.h"

namespace {

std::vector<QPointer<QWidget>>& Stack() {
  static std::vector<QPointer<QWidget>> s_stack;
  return s_stack;
}

QHash<const QWidget*, int>& DisabledCounts() {
  static QHash<const QWidget*, int> s_counts;
  return s_counts;
}

}  // namespace

ModalScope::ModalScope(QWidget* pModal, QWidget* pOwner) : m_pOwner(pOwner ? pOwner->window() : nullptr) {
  Stack().push_back(pModal);
  if (m_pOwner) ++DisabledCounts()[m_pOwner];
}

ModalScope::~ModalScope() {
  Stack().pop_back();
  if (m_pOwner) {
    auto it = DisabledCounts().find(m_pOwner);
    if (it != DisabledCounts().end() && --it.value() == 0) DisabledCounts().erase(it);
  }
}

bool IsDisabledByModal(const QWidget* pWindow) { return pWindow && DisabledCounts().contains(pWindow->window()); }

std::vector<QWidget*> ModalWindows() {
  std::vector<QWidget*> windows;
  for (const QPointer<QWidget>& p : Stack()) {
    if (p) windows.push_back(p.data());
  }
  return windows;
}

QWidget* SafeOwnerWindow() {
  for (const QPointer<QWidget>& pModal : Stack() | std::views::reverse) {
    if (pModal && pModal->isVisible()) return pModal.data();
  }
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || pMain->m_hWnd == nullptr) return nullptr;
  QWidget* pWindow = pMain->m_hWnd->window();
  return pWindow->isVisible() ? pWindow : nullptr;
}
