#include "namingplan.h"

namespace batora {

std::vector<int> selectedRows(const ListBox& list) {
  std::vector<int> rows;
  for (int row = 0; row < list.rowCount(); ++row)
    if (list.isSelected(row)) rows.push_back(row);
  return rows;
}

std::string sequenceText(long k, long digits) {
  std::string number = std::to_string(k + 1);
  const auto width = static_cast<size_t>(digits);
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return number;
}

NamingPlan::NamingPlan(const clsObjCtrl& objCtrl, const NamingRule& rule, std::vector<int> rows,
                       long digits)
    : m_objCtrl(objCtrl), m_rule(rule), m_rows(std::move(rows)), m_digits(digits) {}

PlannedName NamingPlan::at(long k) const {
  PlannedName file;
  file.index = k;
  if (k >= 0 && k < size()) {
    file.row = m_rows[static_cast<size_t>(k)];
    file.oldPath = m_objCtrl.SelectionFileName(file.row);
  }
  file.newName = m_rule.CmnMakeFileName(sequenceText(k, m_digits));
  file.newPath = platform::joinPath(m_objCtrl.CurrentPath(), platform::pathFromUtf8(file.newName));
  return file;
}

std::vector<PlannedName> NamingPlan::all() const {
  std::vector<PlannedName> files;
  files.reserve(m_rows.size());
  for (long k = 0; k < size(); ++k) files.push_back(at(k));
  return files;
}

}  // namespace batora
