#include "qtlistbox.h"

#include <QInputEvent>
#include <QItemSelectionModel>
#include <QMetaObject>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace batora {

QtListBox::QtListBox(QWidget* parent) : QListView(parent), m_rows(new FileListModel(this)) {
  setModel(m_rows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Without it the view measures every row of a 100,000-row list on each reset.
  setUniformItemSizes(true);
}

int QtListBox::existingRow(int row) const {
  if (!m_rows->hasRow(row)) throw std::out_of_range("the list has no row " + std::to_string(row));
  return row;
}

void QtListBox::clear() {
  m_rows->showRows(0, {});
}

void QtListBox::setRows(std::vector<std::string> rows) {
  m_rows->showRows(std::move(rows));
}

// The rows stay in the caller's table: a million of them would otherwise be held a second time,
// as texts of Qt's own, and be converted all at once while the window waits.
void QtListBox::fillRows(size_t count, const std::function<std::string(size_t)>& rowAt) {
  m_rows->showRows(count, rowAt);
}

void QtListBox::addRow(std::string text) {
  m_rows->addRow(std::move(text));
}

int QtListBox::rowCount() const {
  return m_rows->rowCount();
}

std::string QtListBox::rowText(int row) const {
  return m_rows->rowText(existingRow(row));
}

void QtListBox::setRowText(int row, std::string text) {
  m_rows->setRowText(existingRow(row), std::move(text));
}

// Counted from the selection's ranges, not from a list of every selected index: after a
// select-all that would be 100,000 indexes on each click. The ranges are merged first because
// a selection made with Ctrl and Shift may hold ranges that overlap.
int QtListBox::selectedCount() const {
  std::vector<std::pair<int, int>> spans;
  for (const QItemSelectionRange& range : selectionModel()->selection())
    spans.emplace_back(range.top(), range.bottom());
  std::sort(spans.begin(), spans.end());
  int count = 0;
  int coveredTo = -1;
  for (const auto& [top, bottom] : spans) {
    const int from = std::max(top, coveredTo + 1);
    if (bottom >= from) count += bottom - from + 1;
    coveredTo = std::max(coveredTo, bottom);
  }
  return count;
}

bool QtListBox::isSelected(int row) const {
  return selectionModel()->isSelected(m_rows->index(existingRow(row)));
}

void QtListBox::setSelected(int row, bool selected) {
  selectionModel()->select(m_rows->index(existingRow(row)),
                           selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

int QtListBox::currentRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
}

void QtListBox::setCurrentRow(int row) {
  if (row == -1) {
    selectionModel()->clearCurrentIndex();
    return;
  }
  selectionModel()->setCurrentIndex(m_rows->index(existingRow(row)), QItemSelectionModel::NoUpdate);
}

// Queued like a posted list-box message: the engine counts the selection itself meanwhile,
// and the request applies to whatever rows the list holds when it is delivered.
void QtListBox::postSelectAll(bool select) {
  QMetaObject::invokeMethod(
      this,
      [this, select] {
        if (select)
          selectAll();
        else
          clearSelection();
      },
      Qt::QueuedConnection);
}

// Shift without Ctrl selects the range from the anchor and nothing else, as a classic
// extended-selection list does; Qt would keep the rows picked before with Ctrl.
QItemSelectionModel::SelectionFlags QtListBox::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const {
  QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
  const Qt::KeyboardModifiers modifiers = event != nullptr && event->isInputEvent()
                                              ? static_cast<const QInputEvent*>(event)->modifiers()
                                              : Qt::KeyboardModifiers();
  if (modifiers.testFlag(Qt::ShiftModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
      flags.testFlag(QItemSelectionModel::Select))
    flags |= QItemSelectionModel::Clear;
  return flags;
}

void QtListBox::repaint() {
  QWidget::repaint();
}

}  // namespace batora
