#include "app/ralimet_app.h"

// The one application object; the framework runs it.
CRalimetApp theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int show) {
  return AfxWinMain(cmdLine, show);
}
