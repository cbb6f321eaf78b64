#include "platform/ui/file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include "platform/ui/message_box_qt.h"
#include "platform/ui/modal.h"
#include "platform/ui/qt_support.h"
#include "platform/ui/win_app.h"
#include "platform/ui/wnd.h"

namespace {

// Qt's own file dialog widget, asking itself before an existing file is
// replaced: No ends the dialog as Cancel does.
class FileDialogWidget : public QFileDialog {
 public:
  FileDialogWidget(QWidget* pParent, bool bAskOverwrite) : QFileDialog(pParent), m_bAskOverwrite(bAskOverwrite) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (m_bAskOverwrite && !files.isEmpty()) {
      QFileInfo info(files.first());
      if (info.exists() && !info.isDir()) {
        QString question = tr("%1 already exists.\nDo you want to replace it?").arg(info.fileName());
        int nAnswer = ShowMessageBox(this, FromQt(question), FromQt(windowTitle()), MB_YESNO | MB_ICONEXCLAMATION);
        if (nAnswer != IDYES) {
          reject();
          return;
        }
      }
    }
    QFileDialog::accept();
  }

 protected:
  void showEvent(QShowEvent* pEvent) override {
    QFileDialog::showEvent(pEvent);
    // The proposed name comes selected, so that typing replaces it; the
    // dialog takes the keyboard also where no window manager hands it out.
    QTimer::singleShot(0, this, [this]() {
      activateWindow();
      if (auto* pName = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        pName->setFocus(Qt::OtherFocusReason);
        pName->selectAll();
      }
    });
  }

 private:
  bool m_bAskOverwrite;
};

}  // namespace

std::vector<CString> AfxFileDialogNameFilters(LPCTSTR lpszFilter) {
  std::vector<CString> filters;
  const QStringList parts = ToQt(lpszFilter).split(u'|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty() && parts[i + 1].isEmpty()) break;  // "||" ends the list
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
      QString trimmed = pattern.trimmed();
      patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    filters.push_back(FromQt(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')'));
  }
  return filters;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(lpszDefExt),
      m_strFileName(lpszFileName),
      m_dwFlags(dwFlags),
      m_strFilter(lpszFilter),
      m_pParentWnd(pParentWnd) {}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
  AfxEnsureApplication();
  QWidget* pOwner = m_pParentWnd && m_pParentWnd->m_hWnd ? m_pParentWnd->m_hWnd->window() : SafeOwnerWindow();
  const bool bAsk = !m_bOpenFileDialog && (m_dwFlags & OFN_OVERWRITEPROMPT);
  FileDialogWidget dialog(pOwner, bAsk);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked above, when asked for
  dialog.setWindowTitle(m_bOpenFileDialog ? QFileDialog::tr("Open") : QFileDialog::tr("Save As"));
  dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(m_bOpenFileDialog && (m_dwFlags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                            : QFileDialog::AnyFile);
  if (!m_strDefExt.IsEmpty()) dialog.setDefaultSuffix(ToQt(m_strDefExt));
  QStringList nameFilters;
  for (const CString& filter : AfxFileDialogNameFilters(m_strFilter)) nameFilters << ToQt(filter);
  if (!nameFilters.isEmpty()) {
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.first());
  }
  if (!m_strFileName.IsEmpty()) dialog.selectFile(QFile::decodeName(QByteArray(m_strFileName)));
  dialog.setWindowModality(pOwner ? Qt::WindowModal : Qt::ApplicationModal);
  int nAnswer;
  {
    ModalScope modal(&dialog, pOwner);
    nAnswer = dialog.exec();
  }
  if (nAnswer != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
  m_strPathName = CString(QFile::encodeName(dialog.selectedFiles().first()).constData());
  return IDOK;
}
