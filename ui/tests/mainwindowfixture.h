#pragma once
// A main window over a temporary program folder, driven with the scripted toolkit.

#include <gtest/gtest.h>
#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "fakeclock.h"
#include "faketoolkit.h"
#include "fmmain.h"
#include "qtlistbox.h"
#include "tempdir.h"

namespace batora::testing {

struct ProcessEnded {};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    toolkit.onYield = [] { QApplication::processEvents(); };
    for (const char* name : {"b.jpg", "a.jpg", "c.txt", "sub/d.jpg", "sub/deeper/e.jpg"})
      dir.write(name, name);
  }

  // Loads the window over these settings and shows it, active. The process-ending paths throw
  // so that a test sees where they happen.
  void open(const std::string& settings = "") {
    dir.write("Batora.ini", settings);
    openIn(dir.path());
  }
  // The same over the settings file that a program folder holds.
  void openIn(const std::filesystem::path& programFolder) {
    window = std::make_unique<fmMain>(
        fmMainServices{toolkit, clock, programFolder, "Batora", [] { throw ProcessEnded{}; }});
    searches = std::make_unique<QSignalSpy>(find<QtListBox>("lstFile")->model(),
                                            &QAbstractItemModel::modelReset);
    ASSERT_TRUE(window->Form_Load());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  template <typename T>
  T* find(const char* name) const {
    T* widget = window->findChild<T*>(QString::fromLatin1(name));
    if (!widget) ADD_FAILURE() << "no control " << name;
    return widget;
  }
  QString text(const char* name) const { return find<QLineEdit>(name)->text(); }
  std::vector<std::string> rows() const {
    ListBox& list = *find<QtListBox>("lstFile");
    std::vector<std::string> out;
    for (int i = 0; i < list.rowCount(); ++i) out.push_back(list.rowText(i));
    return out;
  }

  TempDir dir;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;  // 2000-12-31
  std::unique_ptr<fmMain> window;
  std::unique_ptr<QSignalSpy> searches;  // two resets per search: cleared, then filled
};

}  // namespace batora::testing
