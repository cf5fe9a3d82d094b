#pragma once
// The lzh tool's "a" command: a new archive from files and folders.

#include <string>
#include <vector>

namespace lzh {

// Packs `inputs` (files or folders, stored under their paths as given, less
// any root, "." and ".." steps) into a new `archive` with `method`
// ("-lh5-", "-lh6-", "-lh7-"), names in code page 949. A failed archive is
// removed. Raises lha::Error or std::runtime_error.
void Create(const std::string& archive, const std::string& method, const std::vector<std::string>& inputs);

}  // namespace lzh
