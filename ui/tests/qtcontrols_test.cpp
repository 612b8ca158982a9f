#include "qtcontrols.h"

#include <gtest/gtest.h>
#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalSpy>

namespace batora {
namespace {

// The depth options: selecting one clears the others; clearing the selected one leaves none,
// and the options stay exclusive afterwards, grouped by a QButtonGroup or only by their parent.
TEST(QtCheckField, OptionsCanAllBeClearedAndStayExclusive) {
  for (const bool buttonGroup : {true, false}) {
    SCOPED_TRACE(buttonGroup ? "button group" : "same parent");
    QWidget parent;
    QButtonGroup group;
    QRadioButton* options[3] = {new QRadioButton(&parent), new QRadioButton(&parent),
                                new QRadioButton(&parent)};
    if (buttonGroup)
      for (QRadioButton* option : options) group.addButton(option);
    QtCheckField fields[3] = {QtCheckField(*options[0]), QtCheckField(*options[1]),
                              QtCheckField(*options[2])};
    const auto values = [&] {
      return std::vector<int>{fields[0].value(), fields[1].value(), fields[2].value()};
    };
    QSignalSpy toggles(options[2], &QRadioButton::toggled);
    fields[0].setValue(1);
    fields[2].setValue(1);
    EXPECT_EQ(values(), (std::vector<int>{0, 0, 1}));
    fields[2].setValue(0);
    EXPECT_EQ(values(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(toggles.count(), 2);
    fields[1].setValue(1);
    fields[0].setValue(1);
    EXPECT_EQ(values(), (std::vector<int>{1, 0, 0}));
  }
}

TEST(QtMenuItem, CheckMarkAppearsOnAPlainActionWithoutRunningIt) {
  QAction action;
  QtMenuItem item(action);
  QSignalSpy triggers(&action, &QAction::triggered);
  item.setChecked(true);
  EXPECT_TRUE(item.isChecked());
  item.setChecked(false);
  EXPECT_FALSE(item.isChecked());
  EXPECT_EQ(triggers.count(), 0);
}

}  // namespace
}  // namespace batora
