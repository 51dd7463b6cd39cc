#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <type_traits>

#include "framework/runtime_class.h"

class CCmdTarget;
class CDataExchange;

// One row of a message map: which notification from which controls (or which command) is answered
// by which member. Built with Command() or CommandRange() below, never by hand.
struct CommandRoute {
  UINT code;  // BN_CLICKED, EN_CHANGE, ...; 0 for menu and accelerator commands
  UINT firstId;
  UINT lastId;
  void (CCmdTarget::*handler)();          // for a single identifier
  void (CCmdTarget::*rangeHandler)(UINT);  // for a range; told which identifier sent it
};

// A class's routes, searched before those of its base class.
struct MessageMap {
  const MessageMap* base;
  std::span<const CommandRoute> routes;
};

template <class T>
CommandRoute Command(UINT code, UINT id, void (T::*handler)()) {
  static_assert(std::is_base_of_v<CCmdTarget, T>);
  return {code, id, id, static_cast<void (CCmdTarget::*)()>(handler), nullptr};
}

template <class T>
CommandRoute CommandRange(UINT code, UINT firstId, UINT lastId, void (T::*handler)(UINT)) {
  static_assert(std::is_base_of_v<CCmdTarget, T>);
  return {code, firstId, lastId, nullptr, static_cast<void (CCmdTarget::*)(UINT)>(handler)};
}

// In a class with a message map of its own:
//   DECLARE_MESSAGE_MAP()
// and in its source file, the rows and the link to the base class's map:
//   const CommandRoute CMyDlg::kRoutes[] = {
//       Command(EN_CHANGE, IDC_VALUE, &CMyDlg::OnChangeValue),
//   };
//   const MessageMap CMyDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};
#define DECLARE_MESSAGE_MAP()                \
 protected:                                  \
  static const CommandRoute kRoutes[];       \
  static const MessageMap kMessageMap;       \
  const MessageMap& GetMessageMap() const override { return kMessageMap; }

// Anything that answers commands through a message map.
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // Runs the first route, from this class up to the root, that answers code from id.
  bool OnCmdMsg(UINT id, UINT code);

 protected:
  static const MessageMap kMessageMap;
  virtual const MessageMap& GetMessageMap() const { return kMessageMap; }
};

// A C++ object bound to a window: set when the window is attached, cleared at WM_NCDESTROY.
// Window messages reach virtual handlers named after them; commands and control notifications
// reach the message map.
class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

  // The object bound to hwnd, or null when hwnd has none.
  static CWnd* FromHandlePermanent(HWND hwnd);

  // Makes a window of a class registered with AfxRegisterWndClass, bound to this object from its
  // first message on.
  bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                int x, int y, int width, int height, HWND parent, HMENU menuOrId);
  bool DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd); }

  // Moves the members into the controls (false) or the controls into the members (true), through
  // DoDataExchange. While it runs, notifications sent by this window's own controls are not
  // delivered to the handlers, so writing a field never re-enters a change handler. No field
  // fails the exchange: each rejects bad input on its own, so the answer is always true.
  bool UpdateData(bool bSaveAndValidate = true);
  bool IsUpdatingData() const { return m_nUpdateDataDepth > 0; }

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Lets the window's original procedure answer the message being handled.
  LRESULT Default();

  // Gives the creation parameters a last look before the window is made; false stops it.
  virtual bool PreCreateWindow(CREATESTRUCTW& cs);

  // Handlers of window messages. Each one's default lets the window's original procedure answer.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // A control's WM_NOTIFY. Answers TRUE when handled, with the message's result in *pResult;
  // FALSE lets the default processing answer.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual int OnCreate(CREATESTRUCTW* pCreateStruct);
  virtual void OnActivate(UINT state, HWND hwndOther, BOOL bMinimized);
  virtual HBRUSH OnCtlColor(HDC hdc, HWND hwndControl, UINT nCtlColor);
  virtual void OnPaint();
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnSetFocus(HWND hwndOld);
  virtual void OnClose();
  virtual void OnDestroy();
  // A screen reader asks for one of the window's accessible objects (WM_GETOBJECT).
  virtual LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  virtual void OnLButtonDown(UINT flags, POINT point);
  virtual void OnLButtonUp(UINT flags, POINT point);
  virtual void OnMouseMove(UINT flags, POINT point);
  virtual void OnKeyDown(UINT vk, UINT repeatCount, UINT flags);
  virtual void OnKeyUp(UINT vk, UINT repeatCount, UINT flags);
  virtual BOOL OnSetCursor(HWND hwnd, UINT hitTest, UINT message);
  virtual BOOL OnQueryNewPalette();
  virtual void OnPaletteChanged(HWND hwndFocus);
  // After the window is gone and the object detached.
  virtual void PostNcDestroy() {}

  // Binds this object to hwnd and routes the window's messages through WindowProc.
  void SubclassWindow(HWND hwnd);

 private:
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND hwnd);
  void Detach();
  friend const wchar_t* AfxRegisterWndClass(UINT, HCURSOR, HBRUSH, HICON);

  WNDPROC m_pfnSuper = nullptr;
  CurrentMessage m_current{};
  int m_nUpdateDataDepth = 0;
};

// The direction and the window of one UpdateData call.
class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, bool bSaveAndValidate)
      : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  const bool m_bSaveAndValidate;  // true: controls to members
  CWnd* const m_pDlgWnd;

  HWND PrepareCtrl(int id) const { return m_pDlgWnd->GetDlgItem(id); }
};

// The window text of a control and a string member.
void DDX_Text(CDataExchange* pDX, int id, std::wstring& value);
// A check box and a BOOL member (TRUE when checked).
void DDX_Check(CDataExchange* pDX, int id, BOOL& value);
// Binds a member to a control of the window: the member holds the control's handle.
void DDX_Control(CDataExchange* pDX, int id, HWND& control);

// The program's main window: the owner of modal dialogs that have no parent.
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* pWnd);

// The message that the innermost running handler is answering.
const MSG* AfxGetCurrentMessage();

// Registers (once) a window class whose windows are run by CWnd objects; answers its name.
const wchar_t* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

// The module that holds the dialog templates and other resources.
HINSTANCE AfxGetResourceHandle();
