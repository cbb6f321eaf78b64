// CAboutDlg: the program's name, version and notice.
#pragma once

#include "platform/ui/dialog.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
};
