// A standard control named by the program, in-process, compared with an unnamed twin that the
// system alone answers for.
#include <gtest/gtest.h>

#include <vector>

#include "accessibility/control_names.h"
#include "msaa_reader.h"
#include "test_support.h"

namespace {

// Two edits side by side in a window of their own: the first named by the program, the second
// left to the system.
class NamedControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(m_window, nullptr);
    for (HWND* edit : {&m_named, &m_plain}) {
      *edit = CreateWindowExW(0, L"EDIT", L"1582", WS_CHILD | WS_VISIBLE | WS_BORDER,
                              edit == &m_named ? 10 : 150, 10, 120, 20, m_window, nullptr, nullptr,
                              nullptr);
      ASSERT_NE(*edit, nullptr);
    }
  }
  void TearDown() override {
    if (IsWindow(m_window)) DestroyWindow(m_window);
  }

  static std::wstring Name(const msaa::Object& object) {
    return msaa::Text(object.get(), &IAccessible::get_accName, CHILDID_SELF);
  }

  HWND m_window = nullptr;
  HWND m_named = nullptr;
  HWND m_plain = nullptr;
};

TEST_F(NamedControlTest, OnlyTheNameIsTheProgramsTheRestIsTheSystemsAnswer) {
  SetAccessibleName(m_named, L"السنة الميلادية");
  const msaa::Object named = msaa::ClientObject(m_named);
  const msaa::Object plain = msaa::ClientObject(m_plain);
  ASSERT_TRUE(named);
  ASSERT_TRUE(plain);
  EXPECT_EQ(Name(named), L"السنة الميلادية");
  EXPECT_NE(Name(plain), L"السنة الميلادية");

  VARIANT namedRole{}, plainRole{}, namedState{}, plainState{};
  EXPECT_EQ(named->get_accRole(msaa::Child(CHILDID_SELF), &namedRole), S_OK);
  plain->get_accRole(msaa::Child(CHILDID_SELF), &plainRole);
  EXPECT_EQ(msaa::IdOf(namedRole), msaa::IdOf(plainRole));
  named->get_accState(msaa::Child(CHILDID_SELF), &namedState);
  plain->get_accState(msaa::Child(CHILDID_SELF), &plainState);
  EXPECT_EQ(msaa::IdOf(namedState), msaa::IdOf(plainState));
  EXPECT_EQ(msaa::Text(named.get(), &IAccessible::get_accValue, CHILDID_SELF), L"1582");

  long x = 0, y = 0, cx = 0, cy = 0;
  EXPECT_EQ(named->accLocation(&x, &y, &cx, &cy, msaa::Child(CHILDID_SELF)), S_OK);
  RECT screen{};
  GetWindowRect(m_named, &screen);
  EXPECT_EQ(x, screen.left);
  EXPECT_EQ(cx, screen.right - screen.left);
}

std::vector<HWND> g_renamed;

void CALLBACK RecordRename(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) g_renamed.push_back(hwnd);
}

TEST_F(NamedControlTest, ANewNameIsAnsweredAndAnnouncedOnce) {
  SetAccessibleName(m_named, L"توقيت الكويت");
  const msaa::Object held = msaa::ClientObject(m_named);
  ASSERT_TRUE(held);
  g_renamed.clear();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, RecordRename,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  SetAccessibleName(m_named, L"توقيت أسبانيا");
  SetAccessibleName(m_named, L"توقيت أسبانيا");  // the same again: nothing to announce
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  PumpMessages();
  UnhookWinEvent(hook);
  EXPECT_EQ(g_renamed, std::vector<HWND>{m_named});
  EXPECT_EQ(Name(held), L"توقيت أسبانيا") << "an object a reader holds follows the name";
}

TEST_F(NamedControlTest, AReaderStillHoldingTheControlGetsAnErrorOnceItIsGone) {
  SetAccessibleName(m_named, L"اليوم الهجري");
  const msaa::Object held = msaa::ClientObject(m_named);
  ASSERT_TRUE(held);
  DestroyWindow(m_window);
  BSTR name = nullptr;
  EXPECT_EQ(held->get_accName(msaa::Child(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
  EXPECT_EQ(name, nullptr);
  // Every out-parameter is set even so, over whatever the caller left in it.
  const VARIANT self = msaa::Child(CHILDID_SELF);
  VARIANT role = msaa::Child(77), hit = msaa::Child(77);
  BSTR value = SysAllocString(L"stale");
  long count = 77, left = 77, width = 77;
  IDispatch* parent = reinterpret_cast<IDispatch*>(&count);
  for (const HRESULT hr :
       {held->get_accRole(self, &role), held->get_accValue(self, &value),
        held->get_accChildCount(&count), held->get_accParent(&parent), held->accHitTest(1, 1, &hit),
        held->accLocation(&left, &count, &width, &count, self)}) {
    EXPECT_EQ(hr, RPC_E_DISCONNECTED);
  }
  EXPECT_TRUE(role.vt == VT_EMPTY && hit.vt == VT_EMPTY && !value && !parent && !left && !count &&
              !width);
}

TEST_F(NamedControlTest, ComBeginsAtTheFirstQuestionAndEndsWithTheControl) {
  SetAccessibleName(m_named, L"يوم الأسبوع");
  // S_OK: naming the control began no COM on this thread.
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  CoUninitialize();
  EXPECT_EQ(Name(msaa::ClientObject(m_named)), L"يوم الأسبوع");
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE) << "begun by the answer";
  CoUninitialize();
  DestroyWindow(m_window);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK) << "and ended with it";
  CoUninitialize();
}

}  // namespace
