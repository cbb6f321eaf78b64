// Modal runs (inside platform/ui only): which windows are up modally, and
// which owners they disable.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

// For the lifetime of one modal run of pModal: the owner's window counts as
// disabled (and Qt blocks its input), and pModal is the innermost modal window.
class ModalScope {
 public:
  ModalScope(QWidget* pModal, QWidget* pOwner);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  const QWidget* m_pOwner;  // only a key: it may be gone at the end
};

// Whether a modal window owned by pWindow is up.
bool IsDisabledByModal(const QWidget* pWindow);
// The modal windows up now, outermost first.
std::vector<QWidget*> ModalWindows();

// The window that owns the platform's own dialogs and message boxes: the
// innermost modal window up, else the main window when it is shown, else
// none. Owned so, a box keeps one line of owners: it blocks the dialogs below
// it and nothing beside them.
QWidget* SafeOwnerWindow();
