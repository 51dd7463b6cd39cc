#pragma once

#include "framework/commands.h"
#include "framework/runtime_class.h"
#include "framework/wnd.h"

class CDocument;
class CView;

// The frame window's own style bit: add the document's name to the caption.
#define FWS_ADDTOTITLE 0x00008000L

// What a frame is to show: the view class to make and the document it shows.
struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
};

// A top-level window whose client area holds one view. Made and owned by the document
// template; deletes itself when its window is gone, and ends the program if it was the main one.
class CFrameWnd : public CWnd {
  DECLARE_DYNAMIC(CFrameWnd)

 public:
  // Makes the window from the resources of nIDResource: caption (first field of the string),
  // icon, menu and accelerator table. False when the window could not be made: the frame has
  // then deleted itself, and the failing step is noted (AfxGetCreateFailure).
  bool LoadFrame(UINT nIDResource, DWORD style, CWnd* pParentWnd, CCreateContext* pContext);

  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pView);
  // Makes the view active and shows the window with the application's show command.
  void InitialUpdateFrame(CDocument* pDoc, bool bMakeVisible);
  // Stretches the view over the whole client area.
  void RecalcLayout();

  HACCEL m_hAccelTable = nullptr;

 protected:
  int OnCreate(CREATESTRUCTW* pCreateStruct) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnSetFocus(HWND hwndOld) override;
  void OnClose() override;
  void PostNcDestroy() override;
  // Commands go to the active view, its document, the frame, then the application.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  CView* CreateView(CCreateContext* pContext);

  CView* m_pViewActive = nullptr;
  CCreateContext* m_pCreateContext = nullptr;  // only while the window is being made
};

// The window that shows a document inside a frame. Made by the frame from its run-time class;
// deletes itself when its window is gone.
class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CDocument* GetDocument() const { return m_pDocument; }
  // Makes the view's window as the frame's child pane.
  bool Create(CFrameWnd* pFrame, UINT id, CCreateContext* pContext);

 protected:
  bool PreCreateWindow(CREATESTRUCTW& cs) override;
  void OnPaint() override;
  virtual void OnDraw(HDC hdc);
  void PostNcDestroy() override;

 private:
  CDocument* m_pDocument = nullptr;
};
