#include "framework/frame.h"

#include <string>

#include "framework/app.h"
#include "framework/create_failure.h"
#include "framework/document.h"
#include "framework/handles.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CView, CWnd)

bool CFrameWnd::LoadFrame(UINT nIDResource, DWORD style, CWnd* pParentWnd,
                          CCreateContext* pContext) {
  const HINSTANCE module = AfxGetResourceHandle();
  const std::wstring title = AfxLoadDocString(nIDResource, 0);
  const HICON icon = LoadIconW(module, MAKEINTRESOURCEW(nIDResource));
  const wchar_t* className = AfxRegisterWndClass(
      CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
      icon);
  m_hAccelTable = LoadAcceleratorsW(module, MAKEINTRESOURCEW(nIDResource));

  if (!className) {
    PostNcDestroy();  // as for a window that could not be made
    return false;
  }
  m_pCreateContext = pContext;
  if (!CreateEx(0, className, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                LoadMenuW(module, MAKEINTRESOURCEW(nIDResource)))) {
    AfxNoteCreateFailure(CreateStep::kFrameWindow);
    return false;  // the frame has deleted itself
  }
  m_pCreateContext = nullptr;
  return true;
}

int CFrameWnd::OnCreate(CREATESTRUCTW* pCreateStruct) {
  if (CWnd::OnCreate(pCreateStruct) == -1) return -1;
  if (m_pCreateContext && m_pCreateContext->m_pNewViewClass && !CreateView(m_pCreateContext)) {
    return -1;
  }
  RecalcLayout();
  return 0;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext) {
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  auto* pView = dynamic_cast<CView*>(pObject);
  if (!pView) {
    delete pObject;
    AfxNoteCreateFailure(CreateStep::kView);
    return nullptr;
  }
  // From here the view's window owns the object: it deletes itself when the window goes, or
  // when it could not be made.
  if (!pView->Create(this, AFX_IDW_PANE_FIRST, pContext)) {
    AfxNoteCreateFailure(CreateStep::kView);
    return nullptr;
  }
  return pView;
}

void CFrameWnd::RecalcLayout() {
  const HWND pane = GetDlgItem(AFX_IDW_PANE_FIRST);
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (pane) MoveWindow(pane, 0, 0, client.right, client.bottom, TRUE);
}

void CFrameWnd::SetActiveView(CView* pView) {
  m_pViewActive = pView;
  if (pView && GetActiveWindow() == m_hWnd) SetFocus(pView->m_hWnd);
}

void CFrameWnd::InitialUpdateFrame(CDocument*, bool bMakeVisible) {
  if (!m_pViewActive) {
    SetActiveView(static_cast<CView*>(FromHandlePermanent(GetDlgItem(AFX_IDW_PANE_FIRST))));
  }
  if (!bMakeVisible) return;
  const CWinApp* pApp = AfxGetApp();
  ShowWindow(m_hWnd, pApp ? pApp->m_nCmdShow : SW_SHOWNORMAL);
  UpdateWindow(m_hWnd);
}

void CFrameWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CFrameWnd::OnSetFocus(HWND) {
  // The frame never keeps the focus: it belongs to the view.
  if (m_pViewActive) SetFocus(m_pViewActive->m_hWnd);
}

void CFrameWnd::OnClose() { DestroyWindow(); }

void CFrameWnd::PostNcDestroy() {
  if (AfxGetMainWnd() == this) {
    AfxSetMainWnd(nullptr);
    PostQuitMessage(0);
  }
  delete this;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam) return CWnd::OnCommand(wParam, lParam);
  // Menus send 0 and accelerators 1; both are plain commands to the maps.
  const UINT id = LOWORD(wParam);
  const UINT code = 0;
  if (m_pViewActive) {
    if (m_pViewActive->OnCmdMsg(id, code)) return TRUE;
    if (CDocument* pDoc = m_pViewActive->GetDocument(); pDoc && pDoc->OnCmdMsg(id, code)) {
      return TRUE;
    }
  }
  if (OnCmdMsg(id, code)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp && pApp->OnCmdMsg(id, code);
}

bool CView::Create(CFrameWnd* pFrame, UINT id, CCreateContext* pContext) {
  m_pDocument = pContext ? pContext->m_pCurrentDoc : nullptr;
  return CreateEx(WS_EX_CLIENTEDGE, nullptr, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                  pFrame->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CView::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!cs.lpszClass) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    if (!cs.lpszClass) return false;
  }
  return CWnd::PreCreateWindow(cs);
}

void CView::OnPaint() {
  PaintDC dc(m_hWnd);
  OnDraw(dc.get());
}

void CView::OnDraw(HDC) {}

void CView::PostNcDestroy() { delete this; }
