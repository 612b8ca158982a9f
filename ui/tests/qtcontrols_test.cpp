#include "qtcontrols.h"

#include <gtest/gtest.h>
#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>

namespace batora {
namespace {

TEST(QtTextField, SetTextRaisesTheChangeOnlyWhenTheTextChanges) {
  QLineEdit edit;
  edit.setMaxLength(16);
  edit.setReadOnly(true);
  QtTextField field(edit);
  QSignalSpy changes(&edit, &QLineEdit::textChanged);
  field.setText("20261206_");
  field.setText("20261206_");
  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes.at(0).at(0).toString(), QStringLiteral("20261206_"));
  EXPECT_EQ(field.maxLength(), 16);
  EXPECT_TRUE(field.isReadOnly());
}

TEST(QtCheckField, CheckBoxValueRaisesToggledOnChange) {
  QCheckBox box;
  QtCheckField field(box);
  QSignalSpy toggles(&box, &QCheckBox::toggled);
  field.setValue(1);
  field.setValue(1);
  EXPECT_EQ(field.value(), 1);
  field.setValue(0);
  EXPECT_EQ(field.value(), 0);
  EXPECT_EQ(toggles.count(), 2);
}

// The depth options: selecting one clears the others; clearing the selected one leaves none.
class OptionGroup : public ::testing::TestWithParam<bool> {
 protected:
  QWidget parent;
  QRadioButton* options[3] = {new QRadioButton(&parent), new QRadioButton(&parent),
                              new QRadioButton(&parent)};
  QButtonGroup group;
  QtCheckField fields[3] = {QtCheckField(*options[0]), QtCheckField(*options[1]),
                            QtCheckField(*options[2])};

  void SetUp() override {
    if (GetParam())
      for (QRadioButton* option : options) group.addButton(option);
  }
  std::vector<int> values() const {
    return {fields[0].value(), fields[1].value(), fields[2].value()};
  }
};

TEST_P(OptionGroup, SelectingOneClearsTheOthersAndTheSelectedOneCanBeCleared) {
  QSignalSpy toggles(options[2], &QRadioButton::toggled);
  fields[0].setValue(1);
  fields[2].setValue(1);
  EXPECT_EQ(values(), (std::vector<int>{0, 0, 1}));
  fields[2].setValue(0);
  EXPECT_EQ(values(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(toggles.count(), 2);

  fields[1].setValue(1);
  fields[0].setValue(1);
  EXPECT_EQ(values(), (std::vector<int>{1, 0, 0})) << "the group must stay exclusive";
}

INSTANTIATE_TEST_SUITE_P(Grouping, OptionGroup, ::testing::Bool(), [](const auto& row) {
  return std::string(row.param ? "ButtonGroup" : "SameParent");
});

TEST(QtMenuItem, CheckMarkAppearsWithoutRunningTheItem) {
  QAction action(QStringLiteral("ﾘﾈｰﾑﾛｸﾞを出力(&E)"));
  QtMenuItem item(action);
  QSignalSpy triggers(&action, &QAction::triggered);
  item.setChecked(true);
  EXPECT_TRUE(action.isChecked());
  item.setChecked(false);
  EXPECT_FALSE(item.isChecked());
  EXPECT_EQ(triggers.count(), 0);
  EXPECT_EQ(item.caption(), "ﾘﾈｰﾑﾛｸﾞを出力(&E)");
}

}  // namespace
}  // namespace batora
