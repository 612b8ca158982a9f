#pragma once
// Everything a list-controller test needs: a temporary tree, the scripted toolkit and a
// controller bound to fake controls.

#include <gtest/gtest.h>

#include <algorithm>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "fakeclock.h"
#include "faketoolkit.h"
#include "tempdir.h"

namespace batora::testing {

class FileListFixture : public ::testing::Test {
 protected:
  FileListFixture() {
    ctrl.ListControl(&list);
    ctrl.LabelSelFileNum(&label);
    ctrl.SerchFileName("*.*");
  }

  bool search(const std::filesystem::path& folder, int depth) {
    return ctrl.SetFileList(window, folder, depth, status);
  }
  // The rows as the tests write them, with "/" between folders on every platform.
  std::vector<std::string> rows() const {
    std::vector<std::string> texts = list.texts();
    for (std::string& text : texts)
      std::replace(text.begin(), text.end(), platform::kSeparator, '/');
    return texts;
  }

  // Row i shows entry i relative to the searched folder.
  void expectRowsMatchTable() const {
    ASSERT_EQ(list.rowCount(), ctrl.SelectionFiles_FinalIndex() + 1);
    for (int i = 0; i < list.rowCount(); ++i) {
      EXPECT_EQ(ctrl.CurrentPath().native() + platform::pathFromUtf8(list.rowText(i)).native(),
                ctrl.SelectionFileName(i).native());
    }
  }

  TempDir dir;
  FakeToolkit toolkit;
  FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
  FakeListBox list{&toolkit};
  FakeLabel label;
  FakeStatusBar status;
  FakeWindow window;
  clsObjCtrl ctrl{func};
};

}  // namespace batora::testing
