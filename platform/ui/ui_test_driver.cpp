#include "platform/ui/ui_test_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/ui/dialog_window.h"
#include "platform/ui/menu_build.h"
#include "platform/ui/modal.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/wnd.h"

namespace uitest {
namespace {

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

QString WithoutMarks(QString text) { return text.remove(u'&'); }

QWidget* TopModal() {
  std::vector<QWidget*> windows = ModalWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if ((*it)->isVisible()) return *it;
  }
  return QApplication::activeModalWidget();
}

QWidget* FocusIn(QWidget* pWindow) {
  if (QWidget* pPopup = QApplication::activePopupWidget()) return pPopup;
  if (pWindow == nullptr) return QApplication::focusWidget();
  QWidget* pFocus = QApplication::focusWidget();
  if (pFocus && pFocus->window() == pWindow) return pFocus;
  return pWindow->focusWidget() ? pWindow->focusWidget() : pWindow;
}

// Runs the actions of WhenModal as modal windows come up.
class ModalDriver {
 public:
  static ModalDriver& Get() {
    static ModalDriver s_driver;
    return s_driver;
  }

  void Add(std::function<void()> fnAction) {
    m_actions.push_back(std::move(fnAction));
    if (m_pPoller == nullptr) StartPoller();
  }
  int Pending() const { return static_cast<int>(m_actions.size()); }

 private:
  // A fresh timer for every action: while an action runs (and the modal
  // loops it opens), its own timer cannot fire again.
  void StartPoller() {
    if (m_pPoller) {
      m_pPoller->stop();
      m_pPoller->deleteLater();
    }
    m_pPoller = new QTimer(QCoreApplication::instance());
    m_pPoller->setInterval(10);
    QObject::connect(m_pPoller, &QTimer::timeout, m_pPoller, [this]() { Poll(); });
    m_pPoller->start();
  }

  void Poll() {
    QWidget* pTop = TopModal();
    if (pTop == nullptr) return;
    if (pTop != m_pSeen) {
      m_pSeen = pTop;
      m_seenSince.restart();
    }
    const bool bHandled = m_handled.contains(pTop);
    if (!bHandled && !m_actions.empty()) {
      // Once it is active, so that keys reach its focus; the offscreen
      // platform activates windows as they are shown.
      if (!pTop->isActiveWindow() && m_seenSince.elapsed() < 500) return;
      m_handled.append(pTop);
      std::function<void()> fnAction = std::move(m_actions.front());
      m_actions.pop_front();
      StartPoller();
      fnAction();
      return;
    }
    if (m_seenSince.elapsed() > 20000) {
      std::fprintf(stderr, "uitest: the modal window \"%s\" is up with nothing to do for it\n",
                   pTop->windowTitle().toLocal8Bit().constData());
      std::abort();
    }
  }

  std::deque<std::function<void()>> m_actions;
  QList<QPointer<QWidget>> m_handled;
  QTimer* m_pPoller = nullptr;
  QPointer<QWidget> m_pSeen;
  QElapsedTimer m_seenSince;
};

void SendKey(QWidget* pTarget, int key, Qt::KeyboardModifiers mods, const QString& text) {
  if (pTarget == nullptr) return;
  QPointer<QWidget> pGuard = pTarget;
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QCoreApplication::sendEvent(pTarget, &press);
  if (pGuard) {
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(pGuard, &release);
  }
}

void PressKeyOn(QWidget* pTarget, Key key, unsigned modifiers) {
  Qt::KeyboardModifiers mods;
  if (modifiers & Shift) mods |= Qt::ShiftModifier;
  if (modifiers & Ctrl) mods |= Qt::ControlModifier;
  if (modifiers & Alt) mods |= Qt::AltModifier;
  int qtKey = Qt::Key_unknown;
  QString text;
  switch (key) {
    case Key::Enter: qtKey = Qt::Key_Return; text = QStringLiteral("\r"); break;
    case Key::Escape: qtKey = Qt::Key_Escape; text = QStringLiteral("\x1b"); break;
    case Key::Tab: qtKey = (modifiers & Shift) ? Qt::Key_Backtab : Qt::Key_Tab; text = QStringLiteral("\t"); break;
    case Key::Space: qtKey = Qt::Key_Space; text = QStringLiteral(" "); break;
    case Key::F1: qtKey = Qt::Key_F1; break;
    case Key::F4: qtKey = Qt::Key_F4; break;
    case Key::Up: qtKey = Qt::Key_Up; break;
    case Key::Down: qtKey = Qt::Key_Down; break;
    case Key::Left: qtKey = Qt::Key_Left; break;
    case Key::Right: qtKey = Qt::Key_Right; break;
    case Key::Home: qtKey = Qt::Key_Home; break;
    case Key::End: qtKey = Qt::Key_End; break;
    case Key::Backspace: qtKey = Qt::Key_Backspace; text = QStringLiteral("\b"); break;
  }
  if (modifiers & (Ctrl | Alt)) text.clear();
  SendKey(pTarget, qtKey, mods, text);
  ProcessEvents();
}

QWidget* WindowOf(CWnd* pWnd) { return pWnd && pWnd->m_hWnd ? pWnd->m_hWnd->window() : nullptr; }

Rect RectOf(const QRect& rect) { return Rect{rect.x(), rect.y(), rect.width(), rect.height()}; }

}  // namespace

void EnsureApplication() { AfxEnsureApplication(); }

void ProcessEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

void WhenModal(std::function<void()> fnAction) {
  AfxEnsureApplication();
  ModalDriver::Get().Add(std::move(fnAction));
}

int PendingModalActions() { return ModalDriver::Get().Pending(); }

std::string ModalCaption() {
  QWidget* pTop = TopModal();
  return pTop ? Utf8(pTop->windowTitle()) : std::string();
}

std::string ModalText() {
  auto* pBox = qobject_cast<QMessageBox*>(TopModal());
  return pBox ? Utf8(pBox->text()) : std::string();
}

Icon ModalIcon() {
  auto* pBox = qobject_cast<QMessageBox*>(TopModal());
  if (pBox == nullptr) return Icon::None;
  switch (pBox->icon()) {
    case QMessageBox::Critical: return Icon::Stop;
    case QMessageBox::Warning: return Icon::Exclamation;
    case QMessageBox::Question: return Icon::Question;
    case QMessageBox::Information: return Icon::Information;
    default: return Icon::None;
  }
}

void TypeText(const std::string& text) {
  QWidget* pTop = TopModal();
  QWidget* pTarget = FocusIn(pTop);
  if (auto* pFileDialog = qobject_cast<QFileDialog*>(pTop)) {
    if (auto* pName = pFileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) pTarget = pName;
  }
  for (QChar ch : QString::fromUtf8(text)) SendKey(pTarget, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
  ProcessEvents();
}

void PressKey(Key key, unsigned modifiers) { PressKeyOn(FocusIn(TopModal()), key, modifiers); }

void PressKeyIn(CWnd* pWnd, Key key, unsigned modifiers) {
  QWidget* pWindow = WindowOf(pWnd);
  if (pWindow == nullptr) return;
  if (QApplication::activePopupWidget() == nullptr) {
    pWindow->activateWindow();
    ProcessEvents();
  }
  PressKeyOn(FocusIn(pWindow), key, modifiers);
}

bool ClickButton(const std::string& text) {
  QWidget* pTop = TopModal();
  if (pTop == nullptr) return false;
  const QString wanted = QString::fromUtf8(text);
  for (QAbstractButton* pButton : pTop->findChildren<QAbstractButton*>()) {
    if (pButton->isVisible() && WithoutMarks(pButton->text()) == wanted) {
      pButton->click();
      ProcessEvents();
      return true;
    }
  }
  return false;
}

void CloseModal() {
  if (QWidget* pTop = TopModal()) pTop->close();
  ProcessEvents();
}

FocusText ModalFocusText() {
  FocusText result;
  auto* pEdit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (pEdit == nullptr) return result;
  result.bEdit = true;
  result.text = Utf8(pEdit->text());
  result.bAllSelected = pEdit->text().isEmpty() || pEdit->selectedText() == pEdit->text();
  return result;
}

Rect ModalGeometry() {
  QWidget* pTop = TopModal();
  return pTop ? RectOf(pTop->frameGeometry()) : Rect{0, 0, 0, 0};
}

Rect WindowGeometry(CWnd* pWnd) {
  QWidget* pWindow = WindowOf(pWnd);
  return pWindow ? RectOf(pWindow->frameGeometry()) : Rect{0, 0, 0, 0};
}

Rect WorkArea() {
  AfxEnsureApplication();
  return RectOf(QGuiApplication::primaryScreen()->availableGeometry());
}

void MoveWindowTo(CWnd* pWnd, int x, int y) {
  if (QWidget* pWindow = WindowOf(pWnd)) pWindow->move(x, y);
  ProcessEvents();
}

void ResizeWindow(CWnd* pWnd, int cx, int cy) {
  if (QWidget* pWindow = WindowOf(pWnd)) pWindow->resize(cx, cy);
  ProcessEvents();
}

std::string WindowTitle(CWnd* pWnd) {
  QWidget* pWindow = WindowOf(pWnd);
  return pWindow ? Utf8(pWindow->windowTitle()) : std::string();
}

std::vector<int> WindowIconSizes(CWnd* pWnd) {
  std::vector<int> sizes;
  if (QWidget* pWindow = WindowOf(pWnd)) {
    for (const QSize& size : pWindow->windowIcon().availableSizes()) sizes.push_back(size.width());
  }
  return sizes;
}

FileDialogState FileDialog() {
  FileDialogState state;
  auto* pDialog = qobject_cast<QFileDialog*>(TopModal());
  if (pDialog == nullptr) return state;
  state.bSave = pDialog->acceptMode() == QFileDialog::AcceptSave;
  for (const QString& filter : pDialog->nameFilters()) state.filters.push_back(Utf8(filter));
  state.selectedFilter = Utf8(pDialog->selectedNameFilter());
  if (auto* pName = pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    state.fileName = Utf8(pName->text());
    state.bFileNameSelected = !pName->text().isEmpty() && pName->selectedText() == pName->text();
  }
  state.directory = Utf8(pDialog->directory().absolutePath());
  return state;
}

bool ActivateMenuItem(CWnd* pWnd, UINT nId) {
  DialogWindow* pWindow = pWnd ? AsDialogWindow(pWnd->m_hWnd) : nullptr;
  if (pWindow == nullptr || pWindow->MenuBar() == nullptr) return false;
  QAction* pAction = FindMenuAction(pWindow->MenuBar(), nId);
  if (pAction == nullptr || !pAction->isEnabled() || !pWindow->isEnabled() || IsDisabledByModal(pWindow)) return false;
  for (QObject* pParent = pAction->parent(); pParent; pParent = pParent->parent()) {
    if (auto* pMenu = qobject_cast<QMenu*>(pParent); pMenu && !pMenu->menuAction()->isEnabled()) return false;
  }
  pAction->trigger();
  ProcessEvents();
  return true;
}

bool RightClickMenuBar(CWnd* pWnd) {
  DialogWindow* pWindow = pWnd ? AsDialogWindow(pWnd->m_hWnd) : nullptr;
  QMenuBar* pBar = pWindow ? pWindow->MenuBar() : nullptr;
  if (pBar == nullptr || pBar->actions().isEmpty()) return false;
  const QRect last = pBar->actionGeometry(pBar->actions().last());
  const QPoint pos(last.right() + 4, last.center().y());
  QContextMenuEvent event(QContextMenuEvent::Mouse, pos, pBar->mapToGlobal(pos));
  QCoreApplication::sendEvent(pBar, &event);
  ProcessEvents();
  return QApplication::activePopupWidget() != nullptr;
}

std::vector<std::string> PopupMenuItems() {
  std::vector<std::string> items;
  if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    for (QAction* pAction : pMenu->actions()) items.push_back(pAction->isSeparator() ? std::string() : Utf8(pAction->text()));
  }
  return items;
}

bool ChoosePopupItem(const std::string& text) {
  auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (pMenu == nullptr) return false;
  const QString wanted = QString::fromUtf8(text);
  for (QAction* pAction : pMenu->actions()) {
    if (!pAction->isSeparator() && (pAction->text() == wanted || WithoutMarks(pAction->text()) == wanted)) {
      if (!pAction->isEnabled()) return false;
      pMenu->close();
      pAction->trigger();
      ProcessEvents();
      return true;
    }
  }
  return false;
}

bool DropFiles(CWnd* pWnd, const std::vector<std::string>& items) {
  QWidget* pWindow = WindowOf(pWnd);
  if (pWindow == nullptr) return false;
  QList<QUrl> urls;
  for (const std::string& item : items) {
    urls << (item.find("://") != std::string::npos ? QUrl(QString::fromUtf8(item))
                                                     : QUrl::fromLocalFile(QString::fromLocal8Bit(item)));
  }
  QMimeData data;
  data.setUrls(urls);
  // As a drag does: the widget under the cursor, or the nearest parent
  // that takes drops.
  const QPoint center = pWindow->rect().center();
  QWidget* pTarget = pWindow->childAt(center);
  if (pTarget == nullptr) pTarget = pWindow;
  while (pTarget && !pTarget->acceptDrops()) pTarget = pTarget->isWindow() ? nullptr : pTarget->parentWidget();
  if (pTarget == nullptr) return false;
  const QPoint pos = pTarget->mapFrom(pWindow, center);
  QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(pTarget, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(pTarget, &move);
  QDropEvent drop(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(pTarget, &drop);
  ProcessEvents();
  return drop.isAccepted();
}

}  // namespace uitest
