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
    : m_objCtrl(objCtrl),
      m_rule(rule),
      m_rows(std::move(rows)),
      m_digits(digits),
      m_folder(objCtrl.CurrentPath()) {}

PlannedName NamingPlan::compose(long k, const NamingInputs& inputs) const {
  PlannedName file;
  file.index = k;
  if (k >= 0 && k < size()) {
    file.row = m_rows[static_cast<size_t>(k)];
    file.oldPath = m_objCtrl.SelectionFileName(file.row);
  }
  file.newName = NamingRule::makeFileName(inputs, sequenceText(k, m_digits));
  file.newPath = platform::joinPath(m_folder, platform::pathFromUtf8(file.newName));
  return file;
}

// A kept name is what composing now would give only when nothing it was composed from has
// changed: the fields, and the moment (the date goes into the name when the common part is
// empty). Otherwise the file is named afresh, as a run across midnight needs.
PlannedName NamingPlan::at(long k) const {
  const NamingInputs inputs = m_rule.inputs();
  while (!m_kept.empty() && m_keptFrom < k) {
    m_kept.pop_front();
    ++m_keptFrom;
  }
  if (m_kept.empty() || m_keptFrom != k || inputs != m_keptInputs) return compose(k, inputs);
  PlannedName file = std::move(m_kept.front());
  m_kept.pop_front();
  ++m_keptFrom;
  return file;
}

const PlannedName& NamingPlan::ahead(long k) const {
  if (m_kept.empty() || k != m_keptFrom + static_cast<long>(m_kept.size())) {
    m_kept.clear();
    m_keptFrom = k;
    m_keptInputs = m_rule.inputs();
  }
  m_kept.push_back(compose(k, m_keptInputs));
  return m_kept.back();
}

std::vector<PlannedName> NamingPlan::all() const {
  std::vector<PlannedName> files;
  files.reserve(m_rows.size());
  for (long k = 0; k < size(); ++k) files.push_back(compose(k, m_rule.inputs()));
  return files;
}

}  // namespace batora
