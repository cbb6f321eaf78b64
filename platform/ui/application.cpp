#include <QApplication>

#include "platform/ui/qt_support.h"

void AfxEnsureApplication() {
  if (QCoreApplication::instance()) return;
  // Lives as long as the process: widgets and icons may outlast any scope.
  static int s_argc = 1;
  static char s_name[] = "veldrin";
  static char* s_argv[] = {s_name, nullptr};
  auto* pApp = new QApplication(s_argc, s_argv);
  pApp->setQuitOnLastWindowClosed(false);
}
