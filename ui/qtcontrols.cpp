#include "qtcontrols.h"

#include <QButtonGroup>

#include "qstringutf8.h"

namespace batora {

std::string QtLabel::caption() const {
  return toUtf8(m_label.text());
}

void QtLabel::setCaption(std::string text) {
  m_label.setText(toQString(text));
}

void QtLabel::repaint() {
  m_label.repaint();
}

std::string QtTextField::text() const {
  return toUtf8(m_edit.text());
}

void QtTextField::setText(std::string text) {
  m_edit.setText(toQString(text));
}

int QtTextField::maxLength() const {
  return m_edit.maxLength();
}

bool QtTextField::isReadOnly() const {
  return m_edit.isReadOnly();
}

int QtCheckField::value() const {
  return m_button.isChecked() ? 1 : 0;
}

// Qt refuses to clear the checked button of an exclusive group, but the engine may clear an
// option so that no search depth is chosen; exclusivity is lifted for that one change.
void QtCheckField::setValue(int value) {
  const bool checked = value != 0;
  if (checked == m_button.isChecked()) return;
  if (checked) {
    m_button.setChecked(true);
    return;
  }
  QButtonGroup* group = m_button.group();
  const bool groupExclusive = group != nullptr && group->exclusive();
  const bool autoExclusive = m_button.autoExclusive();
  if (groupExclusive) group->setExclusive(false);
  m_button.setAutoExclusive(false);
  m_button.setChecked(false);
  m_button.setAutoExclusive(autoExclusive);
  if (groupExclusive) group->setExclusive(true);
}

std::string QtCommand::caption() const {
  return toUtf8(m_button.text());
}

void QtCommand::setCaption(std::string caption) {
  m_button.setText(toQString(caption));
}

bool QtCommand::isEnabled() const {
  return m_button.isEnabled();
}

void QtCommand::setEnabled(bool enabled) {
  m_button.setEnabled(enabled);
}

std::string QtMenuItem::caption() const {
  return toUtf8(m_action.text());
}

void QtMenuItem::setCaption(std::string caption) {
  m_action.setText(toQString(caption));
}

bool QtMenuItem::isEnabled() const {
  return m_action.isEnabled();
}

void QtMenuItem::setEnabled(bool enabled) {
  m_action.setEnabled(enabled);
}

bool QtMenuItem::isChecked() const {
  return m_action.isChecked();
}

void QtMenuItem::setChecked(bool checked) {
  if (checked) m_action.setCheckable(true);
  m_action.setChecked(checked);
}

}  // namespace batora
