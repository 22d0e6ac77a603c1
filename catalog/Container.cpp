// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Container.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <array>
#include <cstring>
#include <memory>

namespace vk {

namespace {

using Mac = std::array<std::uint8_t, kContainerMac>;
constexpr std::size_t kIvSize = 16;
constexpr std::size_t kBlock = 16;
constexpr std::size_t kLengthOffset = 24;

// The MAC key is derived from the cipher key rather than being the same bytes, so that the one
// shipped key never serves two algorithms directly.
Mac MacKey(const CatalogKey& key) {
  static constexpr char kLabel[] = "Vostra Kalibra catalog MAC";
  Mac out{};
  unsigned int len = 0;
  HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()),
       reinterpret_cast<const unsigned char*>(kLabel), sizeof kLabel - 1, out.data(), &len);
  return out;
}

Mac ComputeMac(const CatalogKey& key, std::span<const std::uint8_t> bytes) {
  const Mac macKey = MacKey(key);
  Mac out{};
  unsigned int len = 0;
  HMAC(EVP_sha256(), macKey.data(), static_cast<int>(macKey.size()), bytes.data(), bytes.size(),
       out.data(), &len);
  return out;
}

struct CtxFree {
  void operator()(EVP_CIPHER_CTX* c) const { EVP_CIPHER_CTX_free(c); }
};
using CipherCtx = std::unique_ptr<EVP_CIPHER_CTX, CtxFree>;

// One pass of AES-128-CBC with PKCS#7 padding in either direction.
bool Cipher(bool encipher, const CatalogKey& key, const std::uint8_t* iv,
            std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
  CipherCtx ctx(EVP_CIPHER_CTX_new());
  if (!ctx || EVP_CipherInit_ex(ctx.get(), EVP_aes_128_cbc(), nullptr, key.data(), iv,
                                encipher ? 1 : 0) != 1)
    return false;
  out.assign(in.size() + kBlock, 0);
  int n1 = 0;
  int n2 = 0;
  if (EVP_CipherUpdate(ctx.get(), out.data(), &n1, in.data(), static_cast<int>(in.size())) != 1 ||
      EVP_CipherFinal_ex(ctx.get(), out.data() + n1, &n2) != 1)
    return false;
  out.resize(static_cast<std::size_t>(n1) + static_cast<std::size_t>(n2));
  return true;
}

}  // namespace

bool SealContainer(std::span<const std::uint8_t> payload, const CatalogKey& key,
                   std::vector<std::uint8_t>& out, std::string& error) {
  if (payload.size() > 0x7FFFFFF0u) {
    error = "payload too large";
    return false;
  }
  std::array<std::uint8_t, kIvSize> iv{};
  if (RAND_bytes(iv.data(), static_cast<int>(iv.size())) != 1) {
    error = "no random bytes for the IV";
    return false;
  }
  std::vector<std::uint8_t> cipher;
  if (!Cipher(true, key, iv.data(), payload, cipher)) {
    error = "AES encipherment failed";
    return false;
  }
  out.assign(kContainerMagic, kContainerMagic + 4);
  out.insert(out.end(), {kContainerVersion, 0, 0, 0});
  out.insert(out.end(), iv.begin(), iv.end());
  const auto len = static_cast<std::uint32_t>(cipher.size());
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(len >> (24 - 8 * k)));
  out.insert(out.end(), cipher.begin(), cipher.end());
  const Mac mac = ComputeMac(key, out);
  out.insert(out.end(), mac.begin(), mac.end());
  return true;
}

bool OpenContainer(std::span<const std::uint8_t> file, const CatalogKey& key,
                   std::vector<std::uint8_t>& payload, std::string& error) {
  payload.clear();
  if (file.size() < kContainerHeader + kBlock + kContainerMac) {
    error = "file too short (" + std::to_string(file.size()) + " bytes) for a catalog";
    return false;
  }
  if (std::memcmp(file.data(), kContainerMagic, 4) != 0) {
    error = "not a catalog file (wrong magic)";
    return false;
  }
  if (file[4] != kContainerVersion) {
    error = "unsupported catalog format version " + std::to_string(file[4]);
    return false;
  }
  std::uint32_t len = 0;
  for (int k = 0; k < 4; ++k) len = (len << 8) | file[kLengthOffset + k];
  if (len % kBlock != 0 || len == 0 || len != file.size() - kContainerHeader - kContainerMac) {
    error = "file length does not match its cipher-text length " + std::to_string(len) +
            " (truncated or extended)";
    return false;
  }
  const auto body = file.first(kContainerHeader + len);
  const Mac mac = ComputeMac(key, body);
  if (CRYPTO_memcmp(mac.data(), file.data() + body.size(), mac.size()) != 0) {
    error = "authentication failed: wrong key or damaged file";
    return false;
  }
  if (!Cipher(false, key, file.data() + 8, file.subspan(kContainerHeader, len), payload)) {
    payload.clear();
    error = "cannot decipher (bad padding)";
    return false;
  }
  return true;
}

}  // namespace vk
