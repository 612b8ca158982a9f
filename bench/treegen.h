#pragma once
// Deterministic file trees for the benchmarks: the same names on every machine and in every run.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace batora::bench {

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

// Creates `folder` (which must not exist yet) holding one hard link to `templateFile` per name.
void linkedFolder(const std::filesystem::path& folder, const std::filesystem::path& templateFile,
                  const std::vector<std::string>& names);

}  // namespace batora::bench
