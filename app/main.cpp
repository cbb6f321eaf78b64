// The start-up code: the one application object, the program's resources,
// then the entry point.
#include "app/scanner_app.h"
#include "res/resources.h"

CScannerApp theApp;

int main(int argc, char** argv) {
  AfxSetResourceTable(VeldrinResources());
  return AfxWinMain(argc, argv);
}
