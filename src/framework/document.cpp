#include "framework/document.h"

#include "framework/app.h"
#include "framework/create_failure.h"
#include "framework/handles.h"
#include "platform/platform.h"
#include "framework/resources.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

const CommandRoute CDocument::kRoutes[] = {
    Command(0, ID_FILE_SAVE, &CDocument::OnFileSave),
    Command(0, ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs),
};
const MessageMap CDocument::kMessageMap{&CCmdTarget::kMessageMap, kRoutes};

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.clear();
  return TRUE;
}

BOOL CDocument::OnOpenDocument(const wchar_t* pathName) {
  const UniqueFile file(CreateFileW(pathName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FALSE;
  DeleteContents();
  CArchive archive;
  Serialize(archive);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(const wchar_t* pathName) {
  const UniqueFile file(CreateFileW(pathName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FALSE;
  CArchive archive;
  Serialize(archive);
  return TRUE;
}

void CDocument::Serialize(CArchive&) {}

bool CDocument::DoSave(const wchar_t* pathName) {
  std::wstring path = pathName ? pathName : L"";
  if (path.empty()) {
    path = m_strTitle;
    const CWnd* pMain = AfxGetMainWnd();
    // The platform's save-as dialog, which asks before replacing an existing file.
    if (!platform::AskFileName(pMain ? pMain->m_hWnd : nullptr, true, path)) return false;
  }
  if (!OnSaveDocument(path.c_str())) return false;
  SetPathName(path.c_str());
  return true;
}

void CDocument::OnFileSave() { DoSave(m_strPathName.c_str()); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass,
                                       const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() = default;

CFrameWnd* CSingleDocTemplate::CreateNewFrame(CDocument* pDoc) {
  CObject* pObject = m_pFrameClass->CreateObject();
  auto* pFrame = dynamic_cast<CFrameWnd*>(pObject);
  if (!pFrame) {
    delete pObject;
    return nullptr;
  }
  AfxClearCreateFailure();
  CCreateContext context;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pCurrentDoc = pDoc;
  // The frame deletes itself with its window, and also when the window could not be made, so a
  // failure is not followed by a delete here.
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
    return nullptr;
  }
  return pFrame;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const wchar_t* pathName) {
  CFrameWnd* pNewFrame = nullptr;
  if (!m_pOnlyDoc) {
    CObject* pObject = m_pDocClass->CreateObject();
    m_pOnlyDoc.reset(dynamic_cast<CDocument*>(pObject));
    if (!m_pOnlyDoc) {
      delete pObject;
      return nullptr;
    }
    pNewFrame = CreateNewFrame(m_pOnlyDoc.get());
    if (!pNewFrame) {
      m_pOnlyDoc.reset();
      return nullptr;
    }
  }

  CDocument* pDoc = m_pOnlyDoc.get();
  if (pathName) {
    if (!pDoc->OnOpenDocument(pathName)) return nullptr;
    pDoc->SetPathName(pathName);
  } else {
    pDoc->SetTitle(AfxLoadDocString(m_nIDResource, 2).c_str());
    if (!pDoc->OnNewDocument()) return nullptr;
  }

  if (pNewFrame) {
    if (!AfxGetMainWnd()) AfxSetMainWnd(pNewFrame);
    pNewFrame->InitialUpdateFrame(pDoc, true);
  }
  return pDoc;
}

std::wstring AfxLoadDocString(UINT nIDResource, int field) {
  std::wstring_view rest = LoadStringResource(nIDResource);
  for (int i = 0; i < field; ++i) {
    const std::size_t newline = rest.find(L'\n');
    if (newline == std::wstring_view::npos) return {};
    rest.remove_prefix(newline + 1);
  }
  return std::wstring(rest.substr(0, rest.find(L'\n')));
}
