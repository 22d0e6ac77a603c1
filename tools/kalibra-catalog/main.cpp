// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/CatalogFile.h"
#include "catalog/XmlText.h"

namespace {

constexpr const char* kUsage =
    "Usage: kalibra-catalog pack SRC.xml OUT.bxm\n"
    "  or:  kalibra-catalog unpack IN.bxm\n"
    "  or:  kalibra-catalog --help | --version\n"
    "Packs the editable catalog source of Vostra Kalibra into a catalog file, and back.\n"
    "\n"
    "Commands:\n"
    "  pack SRC.xml OUT.bxm   XML source to catalog file (malformed entries are refused)\n"
    "  unpack IN.bxm          catalog file to XML on standard output\n"
    "\n"
    "Exit status: 0 on success, 1 on a bad file, 64 on a usage error.\n";

bool ReadAll(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Writes beside the target and renames, so that a failed pack never leaves a half file behind.
bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  return !ec;
}

int Pack(const std::string& source, const std::string& target) {
  std::string xml;
  if (!ReadAll(source, xml)) {
    std::fprintf(stderr, "kalibra-catalog: cannot read %s\n", source.c_str());
    return 1;
  }
  vk::XmlDocument doc;
  std::string error;
  std::vector<std::uint8_t> file;
  if (!vk::ParseXmlText(xml, doc, error) ||
      !vk::WriteCatalogFile(doc, vk::DefaultCatalogKey(), file, error)) {
    std::fprintf(stderr, "kalibra-catalog: %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  if (!WriteAll(target, file)) {
    std::fprintf(stderr, "kalibra-catalog: cannot write %s\n", target.c_str());
    return 1;
  }
  return 0;
}

int Unpack(const std::string& source) {
  std::string bytes;
  if (!ReadAll(source, bytes)) {
    std::fprintf(stderr, "kalibra-catalog: cannot read %s\n", source.c_str());
    return 1;
  }
  vk::XmlDocument doc;
  std::string error;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (!vk::ReadCatalogDocument({data, bytes.size()}, vk::DefaultCatalogKey(), doc, error)) {
    std::fprintf(stderr, "kalibra-catalog: %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  const std::string xml = vk::WriteXmlText(doc);
  std::fwrite(xml.data(), 1, xml.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.size() == 1 && (args[0] == "-v" || args[0] == "--version")) {
    std::printf("kalibra-catalog %s\n", VK_VERSION);
    return 0;
  }
  if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
  if (args.size() == 2 && args[0] == "unpack") return Unpack(args[1]);
  std::fputs(kUsage, stderr);
  return 64;
}
