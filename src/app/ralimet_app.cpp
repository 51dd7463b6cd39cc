#include "app/ralimet_app.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

#include "app/main_frame.h"
#include "app/ralimet_doc.h"
#include "framework/commands.h"
#include "framework/resources.h"
#include "panel/ralimet_view.h"
#include "pictures/picture_set.h"
#include "platform/platform.h"
#include "res/resource.h"

const CommandRoute CRalimetApp::kRoutes[] = {
    Command(0, ID_FILE_NEW, &CRalimetApp::OnFileNew),
    Command(0, ID_FILE_OPEN, &CRalimetApp::OnFileOpen),
};
const MessageMap CRalimetApp::kMessageMap{&CWinApp::kMessageMap, kRoutes};

std::wstring CRalimetApp::StartFailureText(const CreateFailure& failure) {
  const std::wstring format(LoadStringResource(IDS_START_FAILED));
  const std::wstring step(LoadStringResource(IDS_START_STEP + static_cast<UINT>(failure.step)));
  std::wstring text(format.size() + step.size() + 16, L'\0');
  const int length = std::swprintf(text.data(), text.size(), format.c_str(), step.c_str(),
                                   static_cast<unsigned long>(failure.error));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

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
  CPictureSet::Choose(m_nBitmapBase);

  // The window has one fixed size: asked to start maximized (a shortcut's "Run" setting), it
  // opens normal rather than as a panel stranded in a screen-sized frame.
  if (m_nCmdShow == SW_SHOWMAXIMIZED) m_nCmdShow = SW_SHOWNORMAL;
  OnFileNew();
  // Without a main window there is nothing to run: say why and end, rather than vanish.
  if (!AfxGetMainWnd()) {
    const std::wstring title(LoadStringResource(AFX_IDS_APP_TITLE));
    platform::TellFailure(title.c_str(), StartFailureText(AfxGetCreateFailure()).c_str());
    return FALSE;
  }
  m_nCmdShow = SW_SHOWNORMAL;

  SetRegistryKey(kRegistryKey);
  m_strProfileName = kProfileName;
  return TRUE;
}
