#pragma once

#include <windows.h>

#include <bit>
#include <concepts>
#include <cstddef>
#include <span>
#include <string>
#include <type_traits>

#include "framework/runtime_class.h"

class CCmdTarget;
class CDataExchange;

// One row of a message map: which command, notification or window message is answered by which
// member. Built with Command(), CommandRange(), Notify(), NotifyRange() or
// OnMessage() below, never by hand.
struct CommandRoute {
  // The member, its type set aside; restored by the invoker made with it.
  using AnyHandler = void (CCmdTarget::*)();
  // What the handler is given: the sender's identifier (commands and notifications) and the
  // message's parameters. Answers the message's result.
  using Invoker = LRESULT (*)(CCmdTarget& target, AnyHandler handler, UINT id, WPARAM wParam,
                              LPARAM lParam);

  UINT message;  // WM_COMMAND, WM_NOTIFY or another window message
  UINT code;     // BN_CLICKED, EN_CHANGE, UDN_DELTAPOS, ...; 0 for menus, accelerators, messages
  UINT firstId;  // the senders answered; 0 for other window messages
  UINT lastId;
  AnyHandler handler;
  Invoker invoke;
};

// A class's routes, searched before those of its base class.
struct MessageMap {
  const MessageMap* base;
  std::span<const CommandRoute> routes;
};

namespace route_detail {

// Member pointers of one class share one representation, so the handler survives the trip.
template <class Handler>
CommandRoute::AnyHandler Erase(Handler handler) {
  return std::bit_cast<CommandRoute::AnyHandler>(handler);
}
template <class Handler>
Handler Restore(CommandRoute::AnyHandler handler) {
  return std::bit_cast<Handler>(handler);
}

inline LRESULT InvokePlain(CCmdTarget& target, CommandRoute::AnyHandler handler, UINT, WPARAM,
                           LPARAM) {
  (target.*handler)();
  return 0;
}

inline LRESULT InvokeWithId(CCmdTarget& target, CommandRoute::AnyHandler handler, UINT id, WPARAM,
                            LPARAM) {
  (target.*Restore<void (CCmdTarget::*)(UINT)>(handler))(id);
  return 0;
}

template <class Header>
LRESULT InvokeNotify(CCmdTarget& target, CommandRoute::AnyHandler handler, UINT, WPARAM,
                     LPARAM lParam) {
  LRESULT result = 0;
  (target.*Restore<void (CCmdTarget::*)(Header*, LRESULT*)>(handler))(
      reinterpret_cast<Header*>(lParam), &result);
  return result;
}

inline LRESULT InvokeMessage(CCmdTarget& target, CommandRoute::AnyHandler handler, UINT,
                             WPARAM wParam, LPARAM lParam) {
  return (target.*Restore<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(handler))(wParam, lParam);
}

// A notification's header: NMHDR itself, or a structure that begins with one.
template <class Header>
constexpr bool kIsNotifyHeader = std::is_same_v<Header, NMHDR> || requires(Header h) {
  { h.hdr } -> std::same_as<NMHDR&>;
  requires offsetof(Header, hdr) == 0;
};

}  // namespace route_detail

// A command (code from control id, or a menu or accelerator command with code 0).
template <class T>
CommandRoute Command(UINT code, UINT id, void (T::*handler)()) {
  static_assert(std::is_base_of_v<CCmdTarget, T>);
  return {WM_COMMAND, code, id, id, static_cast<CommandRoute::AnyHandler>(handler),
          route_detail::InvokePlain};
}

// A command whose handler is told which control sent it, for one handler over several rows.
template <class T>
CommandRoute Command(UINT code, UINT id, void (T::*handler)(UINT)) {
  static_assert(std::is_base_of_v<CCmdTarget, T>);
  return {WM_COMMAND, code, id, id,
          route_detail::Erase(static_cast<void (CCmdTarget::*)(UINT)>(handler)),
          route_detail::InvokeWithId};
}

// A command from any control in [firstId, lastId]; the handler is told which one.
template <class T>
CommandRoute CommandRange(UINT code, UINT firstId, UINT lastId, void (T::*handler)(UINT)) {
  CommandRoute route = Command(code, firstId, handler);
  route.lastId = lastId;
  return route;
}

// A control's WM_NOTIFY. The handler is given the notification's own header (NMHDR, NMUPDOWN,
// ...) and the message's result, 0 unless it sets another.
template <class T, class Header>
CommandRoute Notify(UINT code, UINT id, void (T::*handler)(Header*, LRESULT*)) {
  static_assert(std::is_base_of_v<CCmdTarget, T>);
  static_assert(route_detail::kIsNotifyHeader<Header>);
  return {WM_NOTIFY, code, id, id,
          route_detail::Erase(static_cast<void (CCmdTarget::*)(Header*, LRESULT*)>(handler)),
          route_detail::InvokeNotify<Header>};
}

// A notification from any control in [firstId, lastId].
template <class T, class Header>
CommandRoute NotifyRange(UINT code, UINT firstId, UINT lastId,
                         void (T::*handler)(Header*, LRESULT*)) {
  CommandRoute route = Notify(code, firstId, handler);
  route.lastId = lastId;
  return route;
}

// Any other window message. The handler answers the message's result; one that leaves the message
// to the window's own procedure answers Default().
template <class T>
CommandRoute OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  static_assert(std::is_base_of_v<CCmdTarget, T>);
  return {message, 0, 0, 0,
          route_detail::Erase(static_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(handler)),
          route_detail::InvokeMessage};
}

// In a class with a message map of its own:
//   DECLARE_MESSAGE_MAP()
// and in its source file, the rows and the link to the base class's map:
//   const CommandRoute CMyDlg::kRoutes[] = {
//       Command(EN_CHANGE, IDC_VALUE, &CMyDlg::OnChangeValue),
//       Notify(UDN_DELTAPOS, IDC_VALUE_SPIN, &CMyDlg::OnDeltaPosValue),
//       OnMessage(WM_APP, &CMyDlg::OnApp),
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
  // Runs the first command route, from this class up to the root, that answers code from id.
  bool OnCmdMsg(UINT id, UINT code);

 protected:
  // The first route, from this class up to the root, that answers message (with code, from id);
  // null when none does.
  const CommandRoute* FindRoute(UINT message, UINT code, UINT id) const;

  static const MessageMap kMessageMap;
  virtual const MessageMap& GetMessageMap() const { return kMessageMap; }
};

// A C++ object bound to a window: set when the window is attached, cleared at WM_NCDESTROY.
// A message with a row in the message map goes to that row; common messages otherwise reach
// virtual handlers named after them.
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
  // first message on. When it fails, PostNcDestroy has run (an object that deletes itself with its
  // window is gone): the caller no longer touches the object.
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
  // A control's WM_NOTIFY, given to its row in the map. Answers TRUE when handled, with the
  // message's result in *pResult; FALSE lets the default processing answer.
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

// Registers (once) a window class whose windows are run by CWnd objects; answers its name, or
// null when the system refused it.
const wchar_t* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

// The module that holds the dialog templates and other resources.
HINSTANCE AfxGetResourceHandle();
