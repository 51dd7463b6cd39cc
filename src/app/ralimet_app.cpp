#include "app/ralimet_app.h"

#include <commctrl.h>

#include "app/main_frame.h"
#include "app/ralimet_doc.h"
#include "panel/ralimet_view.h"
#include "res/resource.h"

const CommandRoute CRalimetApp::kRoutes[] = {
    Command(0, ID_FILE_NEW, &CRalimetApp::OnFileNew),
    Command(0, ID_FILE_OPEN, &CRalimetApp::OnFileOpen),
};
const MessageMap CRalimetApp::kMessageMap{&CWinApp::kMessageMap, kRoutes};

BOOL CRalimetApp::InitInstance() {
  // The three-dimensional look is the system's own now; the controls' classes still need
  // registering (the up-down controls of the date and world time windows).
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  LoadStdProfileSettings(4);

  AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, RUNTIME_CLASS(CRalimetDoc),
                                                      RUNTIME_CLASS(CMainFrame),
                                                      RUNTIME_CLASS(CRalimetView)));
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!cmdInfo.m_strFileName.empty()) m_nBitmapBase = 1000;

  // The window has one fixed size: asked to start maximized (a shortcut's "Run" setting), it
  // opens normal rather than as a panel stranded in a screen-sized frame.
  if (m_nCmdShow == SW_SHOWMAXIMIZED) m_nCmdShow = SW_SHOWNORMAL;
  OnFileNew();
  // Without a main window there is nothing to run: end rather than wait invisibly for ever.
  if (!AfxGetMainWnd()) return FALSE;
  m_nCmdShow = SW_SHOWNORMAL;

  SetRegistryKey(kRegistryKey);
  m_strProfileName = kProfileName;
  return TRUE;
}
