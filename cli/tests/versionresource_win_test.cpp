// What Explorer shows in the properties of batora-cli.exe: its version resource.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform.h"

namespace batora::cli {
namespace {

class VersionResourceTest : public ::testing::Test {
 protected:
  VersionResourceTest() {
    const std::wstring exe = platform::pathFromUtf8(BATORA_CLI_PATH).native();
    const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), nullptr);
    m_data.resize(size);
    m_read = size > 0 && ::GetFileVersionInfoW(exe.c_str(), 0, size, m_data.data());
  }
  std::string text(const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!::VerQueryValueW(m_data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
      return "(none)";
    return platform::pathToUtf8(std::filesystem::path(std::wstring(value)));
  }

  std::vector<char> m_data;
  bool m_read = false;
};

TEST_F(VersionResourceTest, NumbersTextsAndJapaneseDescription) {
  ASSERT_TRUE(m_read);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(m_data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);  // 1.1
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);  // .0.2
  EXPECT_EQ(text(L"FileVersion"), "1.01.0002");
  EXPECT_EQ(text(L"FileDescription"), "Batora - 複数ファイルの名称一括変換");
}

}  // namespace
}  // namespace batora::cli
