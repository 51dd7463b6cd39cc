#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

// Decodes 8-bit palettised PNGs through the Windows Imaging Component into packed DIBs: a
// BITMAPINFOHEADER, a 256-entry colour table and bottom-up rows, the form of a bitmap resource.
// COM and the imaging factory are started at the first decode and kept until the decoder goes,
// so the pictures of a set share one apartment, and nothing of COM is loaded until a picture
// needs decoding. Use it on the thread that made it.
class CPngDecoder {
 public:
  CPngDecoder();
  ~CPngDecoder();
  CPngDecoder(const CPngDecoder&) = delete;
  CPngDecoder& operator=(const CPngDecoder&) = delete;

  // Empty for anything but an 8-bit palettised PNG (bad data, another pixel format, no WIC).
  std::vector<BYTE> Decode(std::span<const std::byte> png);

 private:
  struct Session;
  std::unique_ptr<Session> m_session;
  bool m_bTried = false;
};
