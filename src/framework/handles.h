#pragma once

#include <windows.h>
// After windows.h: IUnknown.
#include <unknwn.h>

#include <utility>

// Owns one handle and frees it with Free(handle) when it goes. Move-only; get() to use it.
template <class Handle, auto Free>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : m_handle(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  Handle release() { return std::exchange(m_handle, nullptr); }
  void reset(Handle handle = nullptr) {
    if (m_handle) Free(m_handle);
    m_handle = handle;
  }

 private:
  Handle m_handle = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void CloseRegKey(HKEY key) { RegCloseKey(key); }
inline void DestroyCursorHandle(HCURSOR cursor) { DestroyCursor(cursor); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void FreeLocalMemory(HLOCAL memory) { LocalFree(memory); }
inline void DeleteMemoryDC(HDC hdc) { DeleteDC(hdc); }
inline void ReleaseComObject(IUnknown* object) { object->Release(); }

using UniquePalette = UniqueHandle<HPALETTE, DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueRegKey = UniqueHandle<HKEY, CloseRegKey>;
using UniqueCursor = UniqueHandle<HCURSOR, DestroyCursorHandle>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
// A process, thread or job object.
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
// A device context of CreateCompatibleDC.
using UniqueMemoryDC = UniqueHandle<HDC, DeleteMemoryDC>;
// Memory the system allocated with LocalAlloc for the caller (CommandLineToArgvW's arguments).
template <class Pointer>
using UniqueLocal = UniqueHandle<Pointer, FreeLocalMemory>;
// A COM interface: released when it goes.
template <class Interface>
using ComPtr = UniqueHandle<Interface*, ReleaseComObject>;
// The interface that call(Interface** out) hands out, owned; empty when the call fails.
template <class Interface, class Call>
ComPtr<Interface> ObtainComObject(Call call) {
  Interface* raw = nullptr;
  const HRESULT result = call(&raw);
  ComPtr<Interface> owned(raw);
  return SUCCEEDED(result) ? std::move(owned) : ComPtr<Interface>();
}

// A file of CreateFileW; empty when it could not be opened (CreateFileW's INVALID_HANDLE_VALUE).
class UniqueFile : public UniqueHandle<HANDLE, CloseKernelHandle> {
 public:
  explicit UniqueFile(HANDLE handle)
      : UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
};

// A device context for a window's client area, for as long as this lives.
class ClientDC {
 public:
  explicit ClientDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(GetDC(hwnd)) {}
  ~ClientDC() {
    if (m_hdc) ReleaseDC(m_hwnd, m_hdc);
  }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;
  HDC get() const { return m_hdc; }

 private:
  HWND m_hwnd;
  HDC m_hdc;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(BeginPaint(hwnd, &m_paint)) {}
  ~PaintDC() { EndPaint(m_hwnd, &m_paint); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return m_hdc; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_paint{};
  HDC m_hdc;
};

// Selects an object into a device context and puts the previous one back.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC hdc, HGDIOBJ object) : m_hdc(hdc), m_previous(SelectObject(hdc, object)) {}
  ~ScopedSelectObject() {
    if (m_previous) SelectObject(m_hdc, m_previous);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC m_hdc;
  HGDIOBJ m_previous;
};

// Selects a palette into a device context and puts the previous one back (as background).
class ScopedSelectPalette {
 public:
  ScopedSelectPalette(HDC hdc, HPALETTE palette, bool background)
      : m_hdc(hdc), m_previous(SelectPalette(hdc, palette, background)) {}
  ~ScopedSelectPalette() {
    if (m_previous) SelectPalette(m_hdc, m_previous, TRUE);
  }
  ScopedSelectPalette(const ScopedSelectPalette&) = delete;
  ScopedSelectPalette& operator=(const ScopedSelectPalette&) = delete;

 private:
  HDC m_hdc;
  HPALETTE m_previous;
};
