#pragma once
// The new names of a run: which file gets which name and path, in run order. Each name is
// composed when it is asked for, from the rule's fields and the date at that moment, so a run
// across midnight names its later files with the new date.

#include <deque>
#include <vector>

#include "clsobjctrl.h"
#include "namingrule.h"
#include "renameevents.h"

namespace batora {

// The selected rows of the list, in list order.
std::vector<int> selectedRows(const ListBox& list);

// The sequence text of file k (0-based) for d digits: k + 1 padded with zeros.
std::string sequenceText(long k, long digits);

class NamingPlan {
 public:
  // rows: the selected list rows in run order; digits: the sequence digits, 1 to 4.
  NamingPlan(const clsObjCtrl& objCtrl, const NamingRule& rule, std::vector<int> rows, long digits);

  // File k of the run, named now. A position past the rows has no file (row -1, no old path).
  PlannedName at(long k) const;
  // File k named now, and kept for at(k) while the rule's fields and the moment stay the same:
  // a file named ahead (for the journal) is then not named twice. Files asked for one after the
  // other are named from what the fields and the clock said at the first of them. The reference
  // holds until at(k) or an ahead() of a position that does not follow the last one.
  const PlannedName& ahead(long k) const;
  // Every file of the rows, in order.
  std::vector<PlannedName> all() const;
  long size() const { return static_cast<long>(m_rows.size()); }

 private:
  PlannedName compose(long k, const NamingInputs& inputs) const;

  const clsObjCtrl& m_objCtrl;
  const NamingRule& m_rule;
  std::vector<int> m_rows;
  long m_digits;
  // The listed folder, where every new name goes; the window is locked while a plan is used.
  std::filesystem::path m_folder;
  // Files named ahead in one go, for the positions from m_keptFrom on, and what they were named
  // from.
  mutable std::deque<PlannedName> m_kept;
  mutable long m_keptFrom = 0;
  mutable NamingInputs m_keptInputs;
};

}  // namespace batora
