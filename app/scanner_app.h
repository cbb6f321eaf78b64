// CScannerApp: starts the program by running its main window; the program
// ends when that window closes.
#pragma once

#include "platform/ui/win_app.h"

class CScannerApp : public CWinApp {
 public:
  CScannerApp();
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

// The one application object, defined by the program.
extern CScannerApp theApp;
