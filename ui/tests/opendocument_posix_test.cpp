#include <gtest/gtest.h>
#include <QByteArray>
#include <QString>
#include <string>

#include "opendocument.h"
#include "tempdir.h"

namespace batora {
namespace {

// Puts a stand-in xdg-open first on the search path, which records where it ran and what it was
// given and then acts as the script says.
class OpenDocumentTest : public ::testing::Test {
 protected:
  OpenDocumentTest() : m_path(qgetenv("PATH")) {
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()) + ':' + m_path);
  }
  ~OpenDocumentTest() override { qputenv("PATH", m_path); }

  void opener(const std::string& body) {
    const std::string script = "#!/bin/sh\nprintf '%s|%s' \"$PWD\" \"$1\" > '" +
                               (bin.path() / "call").string() + "'\n" + body + "\n";
    bin.write("xdg-open", script);
    std::filesystem::permissions(bin.path() / "xdg-open", std::filesystem::perms::owner_all);
  }
  std::string call() const { return testing::readBytes(bin.path() / "call"); }

  testing::TempDir bin;
  testing::TempDir help;

 private:
  QByteArray m_path;
};

// What xdg-open answers decides the message: without a program for the page (no browser on a
// bare system) the user must hear so, rather than nothing happening.
TEST_F(OpenDocumentTest, ExitStatusOfTheOpenerIsTheShellCode) {
  struct Row {
    const char* name;
    const char* body;
    int code;
  };
  const Row rows[] = {
      {"handed over", "exit 0", 42}, {"no program for the type", "exit 3", 31},
      {"no such file", "exit 2", 2}, {"the program failed", "exit 4", 1},
      {"killed", "kill -9 $$", 1},
  };
  const QString folder = QString::fromStdString(help.path().string());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    opener(row.body);
    EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("index.html"), folder), row.code);
    EXPECT_EQ(call(), help.path().string() + "|index.html");
  }
  opener("exit 0");
  openWithAssociatedProgram(QStringLiteral("-x.html"), folder);
  EXPECT_EQ(call(), help.path().string() + "|./-x.html") << "an option for xdg-open";
}

TEST_F(OpenDocumentTest, NoOpenerOrNoFolderIsNoAssociatedProgram) {
  const QString folder = QString::fromStdString(help.path().string());
  qputenv("PATH", QByteArray::fromStdString(bin.path().string()));
  EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("index.html"), folder), 31);
  opener("exit 0");
  EXPECT_EQ(openWithAssociatedProgram(QStringLiteral("index.html"), folder + "/gone"), 31);
}

}  // namespace
}  // namespace batora
