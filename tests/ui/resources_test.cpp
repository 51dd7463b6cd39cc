// The program's resources read in place: bytes with their size, strings of the string table.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "framework/commands.h"
#include "framework/resources.h"
#include "res/resource.h"

namespace {

TEST(ResourcesTest, ResourceBytesComeWithTheirSize) {
  const auto wave = FindResourceBytes(IDR_CLICK, L"WAVE");
  ASSERT_GE(wave.size(), 8u);
  EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
  // A RIFF file states the length of what follows its first eight bytes.
  std::uint32_t riffLength = 0;
  std::memcpy(&riffLength, wave.data() + 4, sizeof riffLength);
  EXPECT_EQ(wave.size(), riffLength + 8u);
}

TEST(ResourcesTest, MissingResourcesAreEmpty) {
  EXPECT_TRUE(FindResourceBytes(4321, L"WAVE").empty()) << "no such identifier";
  EXPECT_TRUE(FindResourceBytes(IDR_CLICK, RT_BITMAP).empty()) << "no such type";
  EXPECT_TRUE(LoadStringResource(4321).empty());
}

TEST(ResourcesTest, StringIsReadWithItsOwnLength) {
  EXPECT_EQ(LoadStringResource(AFX_IDS_APP_TITLE), L"Ralimet");
}

}  // namespace
