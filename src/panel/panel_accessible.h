#pragma once

#include "accessibility/accessible.h"

class CRalimetView;

// The launcher panel as a screen reader sees it (Microsoft Active Accessibility): the view's
// client object, whose twelve children are the panel buttons as simple push buttons, child id
// n + 1 for button n. It reads and drives the view; the view owns it through a CAccessibleServer.
class CPanelAccessible final : public CAccessibleObject {
 public:
  explicit CPanelAccessible(CRalimetView& view) : m_pView(&view) {}

  void Disconnect() override { m_pView = nullptr; }

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

 private:
  ~CPanelAccessible() override = default;

  static constexpr int kSelf = accessible::kSelf;
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
};
