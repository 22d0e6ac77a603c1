// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Compression.h"

#include <zlib.h>

namespace vk {

bool Compress(std::span<const std::uint8_t> plain, std::vector<std::uint8_t>& out,
              std::string& error) {
  if (plain.size() > kMaxUncompressed) {
    error = "document larger than " + std::to_string(kMaxUncompressed) + " bytes";
    return false;
  }
  const auto size = static_cast<uLong>(plain.size());
  uLongf packedSize = compressBound(size);
  out.assign(4 + packedSize, 0);
  for (int k = 0; k < 4; ++k) out[k] = static_cast<std::uint8_t>(size >> (24 - 8 * k));
  if (compress2(out.data() + 4, &packedSize, plain.data(), size, Z_BEST_COMPRESSION) != Z_OK) {
    error = "zlib compression failed";
    return false;
  }
  out.resize(4 + packedSize);
  return true;
}

bool Decompress(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& out,
                std::string& error) {
  out.clear();
  if (packed.size() < 4) {
    error = "compressed document shorter than its length field";
    return false;
  }
  std::uint32_t size = 0;
  for (int k = 0; k < 4; ++k) size = (size << 8) | packed[k];
  if (size > kMaxUncompressed) {
    error = "declared document length " + std::to_string(size) + " exceeds the limit";
    return false;
  }
  // Deflate cannot expand beyond about 1032:1, so a larger claim is forged; refusing it here
  // keeps a few damaged bytes from reserving megabytes.
  if (std::uint64_t{size} > (std::uint64_t{packed.size()} - 4) * 1032 + 64) {
    error = "declared document length " + std::to_string(size) + " exceeds what the stream holds";
    return false;
  }
  // One spare byte, so that a stream longer than declared shows as such rather than as a full
  // buffer.
  std::vector<std::uint8_t> tree(std::size_t{size} + 1, 0);
  uLongf outSize = size + 1;
  uLong inSize = static_cast<uLong>(packed.size() - 4);
  const int rc = uncompress2(tree.data(), &outSize, packed.data() + 4, &inSize);
  if (outSize > size) {
    error = "zlib stream inflates to more than the declared " + std::to_string(size) + " bytes";
    return false;
  }
  if (rc != Z_OK) {
    error = rc == Z_DATA_ERROR ? "zlib stream damaged" : "zlib stream truncated or damaged";
    return false;
  }
  if (outSize != size) {
    error = "zlib stream inflates to " + std::to_string(outSize) + " bytes, declared " +
            std::to_string(size);
    return false;
  }
  if (inSize != packed.size() - 4) {
    error = "trailing bytes after the zlib stream";
    return false;
  }
  tree.resize(size);
  out = std::move(tree);
  return true;
}

}  // namespace vk
