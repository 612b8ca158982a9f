#include "faketoolkit.h"

#include <algorithm>
#include <stdexcept>

#include "statuspanels.h"

namespace batora::testing {

int FakeToolkit::messageBox(std::string_view text, std::string_view title, int style) {
  boxes.push_back({std::string(text), std::string(title), style});
  if (onBox) onBox(boxes.back());
  if (!answers.empty()) {
    int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return mb::buttonsOf(style) == mb::kYesNo ? mb::kIdYes : mb::kIdOk;
}

void FakeToolkit::yield() {
  ++yields;
  auto work = std::move(pending);
  pending.clear();
  for (auto& w : work) w();
  if (onYield) onYield();
}

void FakeToolkit::setClipboardText(std::string_view text) {
  clipboard = text;
  clipboardHoldsText = true;
}

bool FakeToolkit::startProgram(const std::string& program, const std::vector<std::string>& args) {
  started.push_back({program, args});
  return startSucceeds;
}

int FakeToolkit::openDocument(const std::string& file, const std::string& folder) {
  opened.push_back({file, folder});
  return openResult;
}

void FakeListBox::clear() {
  rows.clear();
  current = -1;
}

void FakeListBox::setRows(std::vector<std::string> texts) {
  clear();
  rows.reserve(texts.size());
  for (auto& t : texts) rows.push_back({std::move(t), false});
}

int FakeListBox::selectedCount() const {
  return static_cast<int>(
      std::count_if(rows.begin(), rows.end(), [](const Row& r) { return r.selected; }));
}

void FakeListBox::postSelectAll(bool select) {
  auto apply = [this, select] {
    for (auto& r : rows) r.selected = select;
  };
  if (m_toolkit)
    m_toolkit->pending.push_back(apply);
  else
    apply();
}

std::vector<std::string> FakeListBox::texts() const {
  std::vector<std::string> out;
  for (const auto& r : rows) out.push_back(r.text);
  return out;
}

std::string FakeStatusBar::panelText(std::string_view key) const {
  auto it = texts.find(key);
  return it == texts.end() ? std::string() : it->second;
}

void FakeStatusBar::setPanelText(std::string_view key, std::string text) {
  if (key == kPanelText) history.push_back(text);
  texts[std::string(key)] = std::move(text);
}

Picture FakeStatusBar::panelPicture(std::string_view key) const {
  auto it = pictures.find(key);
  return it == pictures.end() ? Picture{} : it->second;
}

void FakeStatusBar::setPanelPicture(std::string_view key, Picture picture) {
  pictures[std::string(key)] = picture;
}

long FakeStatusBar::panelWidthTwips(std::string_view key) const {
  auto it = widths.find(key);
  return it == widths.end() ? 0 : it->second;
}

void FakeStatusBar::setPanelWidthTwips(std::string_view key, long twips) {
  widths[std::string(key)] = twips;
}

void FakeWindow::setInputLocked(bool isLocked) {
  locked = isLocked;
  lockHistory.push_back(isLocked);
}

bool FakeWindow::setControlEnabled(int index, bool enabled) {
  controls.at(index).enabled = enabled;
  return true;
}

bool FakeWindow::isEnabled(std::string_view name) const {
  for (const auto& c : controls)
    if (c.info.name == name) return c.enabled;
  throw std::out_of_range("no control " + std::string(name));
}

}  // namespace batora::testing
