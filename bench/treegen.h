#pragma once
// Deterministic file trees for the benchmarks: the same names on every machine and in every run.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace batora::bench {

// splitmix64: the same sequence on every machine and standard library, unlike the std
// distributions.
class Generator {
 public:
  explicit Generator(std::uint64_t seed) : m_state(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t count) { return static_cast<std::size_t>(next() % count); }

 private:
  std::uint64_t m_state;
};

// The folders below a tree's root, relative, each after its parent: ten per folder over three
// levels (1,110 folders).
std::vector<std::filesystem::path> treeFolders();

// `count` distinct file names as a photo and document collection has them: camera numbers,
// Japanese names, spaces, upper- and lower-case extensions, names without one. `seed` picks the
// mix.
std::vector<std::string> fileNames(std::size_t count, std::uint64_t seed);

// The root of a tree of `fileCount` empty files spread over the root and treeFolders(). Built
// once per machine in a fixed folder under the temp folder, reused by every later run and never
// deleted.
std::filesystem::path cachedTree(std::size_t fileCount);

// The readdir floor: every regular file below `root`, as full paths, found by a plain readdir
// walk that does nothing else. Throws when a folder cannot be read.
std::vector<std::string> readdirWalk(const std::filesystem::path& root);

// Creates `folder` (which must not exist yet) holding `count` empty files named 0, 1, 2 ...:
// the files linkedFolder links to.
void filePool(const std::filesystem::path& folder, std::size_t count);

// Creates `folder` (which must not exist yet) where names[k] is a hard link to file k of the
// pool: distinct files, as in a user's folder, without allocating an inode for each.
void linkedFolder(const std::filesystem::path& folder, const std::filesystem::path& pool,
                  const std::vector<std::string>& names);

}  // namespace batora::bench
