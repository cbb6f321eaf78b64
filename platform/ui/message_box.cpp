#include "platform/ui/message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/core/exception.h"
#include "platform/ui/message_box_qt.h"
#include "platform/ui/messages.h"
#include "platform/ui/modal.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/win_app.h"

namespace {

QMessageBox::Icon IconFor(UINT nType) {
  switch (nType & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

int ShowMessageBox(QWidget* pOwner, LPCTSTR pszText, LPCTSTR pszCaption, UINT nType) {
  AfxEnsureApplication();
  QMessageBox box(pOwner);
  box.setIcon(IconFor(nType));
  box.setWindowTitle(ToQt(pszCaption));
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQt(pszText));
  switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case MB_YESNO:
      // The safe answer is the default.
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::No);
      box.setEscapeButton(QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
  }
  box.setWindowModality((nType & MB_SYSTEMMODAL) || pOwner == nullptr ? Qt::ApplicationModal : Qt::WindowModal);
  // Taken by the keyboard once shown, also where no window manager hands
  // out the focus.
  QTimer::singleShot(0, &box, [&box]() { box.activateWindow(); });
  int nAnswer;
  {
    ModalScope modal(&box, pOwner);
    nAnswer = box.exec();
  }
  switch (nAnswer) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
  }
}

int AfxMessageBox(LPCTSTR pszText, UINT nType) {
  return ShowMessageBox(SafeOwnerWindow(), pszText, AfxGetAppName(), nType);
}

void AfxReportException(const CException& e) {
  if (dynamic_cast<const CMemoryException*>(&e)) {
    AfxMessageBox(e.GetErrorMessage(), MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
  } else {
    AfxMessageBox(e.GetErrorMessage(), MB_ICONSTOP);
  }
}
