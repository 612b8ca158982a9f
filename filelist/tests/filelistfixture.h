#pragma once
// Everything a list-controller test needs: a temporary tree, the scripted toolkit and a
// controller bound to fake controls.

#include <gtest/gtest.h>

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
  std::vector<std::string> rows() const { return list.texts(); }

  // Row i shows entry i relative to the searched folder.
  void expectRowsMatchTable() const {
    ASSERT_EQ(list.rowCount(), ctrl.SelectionFiles_FinalIndex() + 1);
    for (int i = 0; i < list.rowCount(); ++i) {
      EXPECT_EQ(ctrl.CurrentPath().native() + list.rowText(i), ctrl.SelectionFileName(i).native());
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
