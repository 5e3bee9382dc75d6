// Plain data for the packing tests: text that packs well and random bytes
// that do not (deflate stores them), both the same for a given seed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzp::testing {

std::vector<uint8_t> TextLike(size_t size, unsigned seed);
std::vector<uint8_t> RandomBytes(size_t size, unsigned seed);

}  // namespace lzp::testing
