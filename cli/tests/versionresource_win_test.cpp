// What Explorer shows in the properties of batora-cli.exe: its version resource.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform.h"

namespace batora::cli {
namespace {

// A text of the Japanese string table.
std::string text(const std::vector<char>& data, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  if (!::VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
    return "(none)";
  return platform::pathToUtf8(std::filesystem::path(std::wstring(value)));
}

TEST(VersionResourceTest, NumbersTextsAndJapaneseDescription) {
  const std::wstring exe = platform::pathFromUtf8(BATORA_CLI_PATH).native();
  std::vector<char> data(::GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  ASSERT_TRUE(!data.empty() &&
              ::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);  // 1.1
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);  // .0.2
  EXPECT_EQ(text(data, L"FileVersion"), "1.01.0002");
  EXPECT_EQ(text(data, L"FileDescription"), "Batora - 複数ファイルの名称一括変換");
}

}  // namespace
}  // namespace batora::cli
