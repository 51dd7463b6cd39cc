// The owning wrappers: one owner at a time, freed once by the last, never copied.
#include "framework/handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <type_traits>
#include <utility>

namespace {

template <class Owner>
constexpr bool kMoveOnly =
    !std::is_copy_constructible_v<Owner> && !std::is_copy_assignable_v<Owner> &&
    std::is_nothrow_move_constructible_v<Owner> && std::is_nothrow_move_assignable_v<Owner>;

// A copy would free its handle twice: every owning type is move-only.
static_assert(kMoveOnly<UniquePalette>);
static_assert(kMoveOnly<UniqueBitmap>);
static_assert(kMoveOnly<UniqueFont>);
static_assert(kMoveOnly<UniqueRegKey>);
static_assert(kMoveOnly<UniqueCursor>);
static_assert(kMoveOnly<UniqueMemoryDC>);
static_assert(kMoveOnly<UniqueLocal<wchar_t**>>);
static_assert(kMoveOnly<UniqueFile>);
static_assert(kMoveOnly<ComPtr<IUnknown>>);
// Scoped guards put something back where they found it: they neither copy nor move.
static_assert(!std::is_copy_constructible_v<ClientDC> && !std::is_move_constructible_v<ClientDC>);
static_assert(!std::is_copy_constructible_v<PaintDC> && !std::is_move_constructible_v<PaintDC>);
static_assert(!std::is_copy_constructible_v<ScopedSelectObject>);
static_assert(!std::is_copy_constructible_v<ScopedSelectPalette>);
// Nothing converts out of an owner without get().
static_assert(!std::is_convertible_v<UniqueBitmap, HBITMAP>);

bool IsLiveBitmap(HBITMAP bitmap) {
  return GetObjectType(bitmap) == OBJ_BITMAP;
}

// An object that only counts its references.
class Counted final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  ULONG refs = 1;
};

// Moves a handle through three owners; held tells whether the handle is still held, as given.
template <class Owner, class Handle, class Held>
void ExpectFreedOnceByTheLastOwner(Handle raw, Held held) {
  {
    Owner first(raw);
    Owner second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), raw);
    Owner third;
    third = std::move(second);
    EXPECT_FALSE(second);
    EXPECT_EQ(third.get(), raw);
    EXPECT_TRUE(held(raw)) << "moving frees nothing";
  }
  EXPECT_FALSE(held(raw)) << "the last owner freed it";
}

TEST(HandlesTest, AMovedHandleIsFreedOnceByItsLastOwner) {
  const HBITMAP raw = CreateBitmap(4, 4, 1, 1, nullptr);
  ASSERT_TRUE(raw);
  ExpectFreedOnceByTheLastOwner<UniqueBitmap>(raw, IsLiveBitmap);
  Counted object;
  ExpectFreedOnceByTheLastOwner<ComPtr<IUnknown>>(static_cast<IUnknown*>(&object),
                                                  [&](IUnknown*) { return object.refs == 1; });
  EXPECT_EQ(object.refs, 0u) << "released once";
}

TEST(HandlesTest, AssigningOverAnOwnerFreesWhatItHeld) {
  const HBITMAP old = CreateBitmap(4, 4, 1, 1, nullptr);
  const HBITMAP replacement = CreateBitmap(4, 4, 1, 1, nullptr);
  UniqueBitmap owner(old);
  owner = UniqueBitmap(replacement);
  EXPECT_FALSE(IsLiveBitmap(old));
  EXPECT_TRUE(IsLiveBitmap(replacement));
}

TEST(HandlesTest, AFileThatDidNotOpenIsEmpty) {
  const UniqueFile missing(CreateFileW(L"Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_FALSE(missing);
  EXPECT_EQ(missing.get(), nullptr);
}

TEST(HandlesTest, SelectedObjectIsPutBack) {
  const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BITMAP);
  const UniqueBitmap picture(CreateBitmap(4, 4, 1, 1, nullptr));
  {
    const ScopedSelectObject selected(dc.get(), picture.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), picture.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), before);
}

}  // namespace
