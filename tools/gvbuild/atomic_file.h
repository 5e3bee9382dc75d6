// Files written whole or not at all: the bytes go to a temporary file
// beside the target, which is then renamed over it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gvbuild {

// "" on success, else what failed; the target is then left as it was.
std::string WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);
// The whole file, or an error text.
std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace gvbuild
