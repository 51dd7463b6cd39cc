#pragma once

#include <windows.h>
// After windows.h: the accessibility interfaces.
#include <oleacc.h>

class CRalimetView;

// The launcher panel as a screen reader sees it (Microsoft Active Accessibility): the view's
// client object, whose twelve children are the panel buttons as simple push buttons, child id
// n + 1 for button n. It reads and drives the view; the view owns it through CAccessibleServer.
class CPanelAccessible final : public IAccessible {
 public:
  explicit CPanelAccessible(CRalimetView& view) : m_pView(&view) {}
  CPanelAccessible(const CPanelAccessible&) = delete;
  CPanelAccessible& operator=(const CPanelAccessible&) = delete;

  // Lets go of the view: from then on every call answers RPC_E_DISCONNECTED, as it does across
  // processes once the object is disconnected.
  void Disconnect() { m_pView = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: readers call IAccessible directly; there is no type information.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** ppdispParent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* pcountChildren) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT varChild, BSTR* pszName) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT varChild, BSTR* pszValue) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT varChild, VARIANT* pvarState) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild,
                                             long* pidTopic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT varChild,
                                                    BSTR* pszKeyboardShortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* pvarChild) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* pvarChildren) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT varChild,
                                                 BSTR* pszDefaultAction) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flagsSelect, VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                        long* pcyHeight, VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long navDir, VARIANT varStart,
                                        VARIANT* pvarEndUpAt) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT varChild) override;
  // Names are the program's own: readers may not change them.
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~CPanelAccessible() = default;

  static constexpr int kSelf = -1;
  static constexpr int kNone = -2;
  // Checks the view and the child id; on S_OK, target is the button it names (0 to 11), or kSelf
  // for the panel itself.
  HRESULT Resolve(const VARIANT& child, int& target) const;
  HRESULT Resolve(const VARIANT& child) const {
    int target = kNone;
    return Resolve(child, target);
  }
  // A button's face, or the whole panel for kSelf, in screen coordinates.
  RECT ScreenRect(int target) const;
  // The nearest button beside button n in a screen direction, overlapping it across that
  // direction; kNone when there is none.
  int Neighbour(int n, long navDir) const;
  long StateOf(int target) const;

  CRalimetView* m_pView;
  LONG m_nRefs = 1;
};

// What the view keeps for screen readers: its one accessible object for its whole life. COM is
// loaded and begun on this thread at the first question, so that start-up does not pay for it.
class CAccessibleServer {
 public:
  explicit CAccessibleServer(CRalimetView& view) : m_pObject(new CPanelAccessible(view)) {}
  // Disconnects the object, so that a reader still holding it gets an error, and releases it.
  ~CAccessibleServer();
  CAccessibleServer(const CAccessibleServer&) = delete;
  CAccessibleServer& operator=(const CAccessibleServer&) = delete;

  // The answer to WM_GETOBJECT for the client object; 0 (the system answers) without COM.
  LRESULT Serve(WPARAM wParam);

 private:
  CPanelAccessible* m_pObject;
  bool m_bServed = false;
  bool m_bOwnsApartment = false;  // this server began COM on the thread and ends it
};
