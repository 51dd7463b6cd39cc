#include "framework/resources.h"

#include "framework/wnd.h"

std::span<const std::byte> FindResourceBytes(UINT id, const wchar_t* type) {
  const HINSTANCE module = AfxGetResourceHandle();
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const std::byte*>(bytes), SizeofResource(module, found)};
}

std::wstring_view LoadStringResource(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero buffer length LoadString answers a pointer into the resource itself.
  const int length =
      LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || !text) return {};
  return {text, static_cast<std::size_t>(length)};
}
