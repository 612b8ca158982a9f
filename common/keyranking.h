#pragma once
// Ordering many byte-string keys kept back to back in one buffer.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace batora {

// Entries in ascending key order, and where each run of equal keys begins in that order.
struct KeyRanking {
  std::vector<std::uint32_t> inKeyOrder;
  // 1 where a run of equal keys begins (always at 0), else 0; one per entry of inKeyOrder.
  std::vector<char> groupStarts;
  bool allDistinct() const;
};

// Ranks the keys by their bytes as unsigned, a proper prefix first. Key i is
// keys[begin[i], begin[i + 1]); `begin` holds one offset more than there are keys. Past its end
// a key counts as padded with zeros to the next multiple of eight bytes, so no key may go on from
// another's end with zero bytes alone up to that multiple: text without zero characters, in
// UTF-8 or in big-endian UTF-16, meets this, and so do such texts joined by one zero byte.
KeyRanking rankKeys(std::string_view keys, const std::vector<std::size_t>& begin);

}  // namespace batora
