// The Windows shell calls the window makes, against the system itself.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "bsfunc.h"
#include "platform.h"
#include "tempdir.h"
#include "winshell.h"

namespace batora::winshell {
namespace {

std::string systemFolder() {
  wchar_t buffer[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
  return platform::pathToUtf8(std::filesystem::path(std::wstring(buffer, length)));
}

TEST(OpenDocumentTest, ShellCodesReachTheMessageTable) {
  testing::TempDir dir;
  dir.write("notes.batoraunknown", "x");
  const std::string folder = platform::pathToUtf8(dir.path());
  struct Case {
    const char* name;
    std::string file;
    std::string folder;
    int code;
  } cases[] = {
      {"no such file", "missing.txt", folder, 2},
      {"a type no program is associated with", "notes.batoraunknown", folder, 31},
      {"a program starts", "hostname.exe", systemFolder(), 42},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(openDocument(c.file, c.folder), c.code);
  }
  EXPECT_EQ(shellErrorText(2), "(指定されたﾌｧｲﾙが見つかりません）");
  EXPECT_EQ(shellErrorText(31), "(関連付けされたｱﾌﾟﾘｹｰｼｮﾝが存在しません）");
}

TEST(CommandLineTest, StartsWhatExistsAndReportsWhatDoesNot) {
  EXPECT_TRUE(startCommandLine("hostname"));
  EXPECT_FALSE(startCommandLine("batora-no-such-program argument"));
}

TEST(CommandLineTest, EditorGetsThePathUnquotedEvenWithSpaces) {
  EXPECT_EQ(plainTextEditorCommand("C:\\My Logs\\Batora.log"), "notepad C:\\My Logs\\Batora.log");
}

TEST(SingleInstanceTest, SecondClaimSeesTheFirstUntilItEnds) {
  const std::string name = "BatoraTest" + std::to_string(::GetCurrentProcessId());
  auto first = std::make_unique<SingleInstance>(name);
  EXPECT_FALSE(first->anotherInstanceRuns());
  SingleInstance second(name);
  EXPECT_TRUE(second.anotherInstanceRuns());
  EXPECT_FALSE(SingleInstance(name + "Other").anotherInstanceRuns()) << "one claim per program";
  first.reset();
  EXPECT_FALSE(second.anotherInstanceRuns()) << "the claim is taken once it is free";
  EXPECT_TRUE(SingleInstance(name).anotherInstanceRuns()) << "the second now holds it";
}

}  // namespace
}  // namespace batora::winshell
