// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
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

// The most either input may hold: the loader refuses catalogs above it too, and /dev/zero or a
// pipe without end must not be read without bound.
constexpr std::size_t kMaxEingabe = 64u << 20;

// Reads a regular file, a pipe or a device by the system's calls, which report an error where a
// stream would throw (a directory) or read for ever.
bool ReadAll(const std::string& path, std::string& out, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    error = "it is a directory";
    return false;
  }
  out.clear();
  char puffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, puffer, sizeof puffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      ::close(fd);
      return false;
    }
    if (out.size() + static_cast<std::size_t>(n) > kMaxEingabe) {
      error = "larger than " + std::to_string(kMaxEingabe >> 20) + " MiB, too large for a catalog";
      ::close(fd);
      return false;
    }
    out.append(puffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}

// Writes beside the target and renames, so that a failed pack never leaves a half file behind,
// nor the temporary one.
bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  // A device or a directory is never replaced by the catalog (as root, renaming onto /dev/full
  // would do just that).
  struct stat ziel {};
  if (::stat(path.c_str(), &ziel) == 0 && !S_ISREG(ziel.st_mode)) {
    error = S_ISDIR(ziel.st_mode) ? "it is a directory" : "it exists and is not a regular file";
    return false;
  }
  const std::string temp = path + ".part";
  std::FILE* out = std::fopen(temp.c_str(), "wb");
  if (out == nullptr) {
    error = std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  ok = std::fflush(out) == 0 && ok;
  if (!ok) error = std::strerror(errno);
  if (std::fclose(out) != 0 && ok) {
    ok = false;
    error = std::strerror(errno);
  }
  if (ok) {
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
      ok = false;
      error = ec.message();
    }
  }
  if (!ok) std::remove(temp.c_str());
  return ok;
}

int Pack(const std::string& source, const std::string& target) {
  std::string xml, error;
  if (!ReadAll(source, xml, error)) {
    std::fprintf(stderr, "kalibra-catalog: cannot read %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  vk::XmlDocument doc;
  std::vector<std::uint8_t> file;
  if (!vk::ParseXmlText(xml, doc, error) ||
      !vk::WriteCatalogFile(doc, vk::DefaultCatalogKey(), file, error)) {
    std::fprintf(stderr, "kalibra-catalog: %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  if (!WriteAll(target, file, error)) {
    std::fprintf(stderr, "kalibra-catalog: cannot write %s: %s\n", target.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

int Unpack(const std::string& source) {
  std::string bytes, error;
  if (!ReadAll(source, bytes, error)) {
    std::fprintf(stderr, "kalibra-catalog: cannot read %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  vk::XmlDocument doc;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (!vk::ReadCatalogDocument({data, bytes.size()}, vk::DefaultCatalogKey(), doc, error)) {
    std::fprintf(stderr, "kalibra-catalog: %s: %s\n", source.c_str(), error.c_str());
    return 1;
  }
  const std::string xml = vk::WriteXmlText(doc);
  std::fwrite(xml.data(), 1, xml.size(), stdout);
  return 0;
}

// Standard output checked to its close (a full disk must not look like success); a reader that
// went away ends the program quietly.
int Schliessen(int code) {
  const bool frueher = std::ferror(stdout) != 0;
  int fehler = 0;
  if (std::fflush(stdout) != 0) fehler = errno;
  if (std::fclose(stdout) != 0 && fehler == 0) fehler = errno;
  if (fehler == EPIPE) ::_exit(128 + SIGPIPE);
  if (fehler == 0 && !frueher) return code;
  std::fprintf(stderr, "kalibra-catalog: cannot write the output: %s\n",
               fehler != 0 ? std::strerror(fehler) : "a write to it failed");
  return 1;
}

int Ausfuehren(const std::vector<std::string>& args) {
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

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_DFL);
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return Schliessen(Ausfuehren(args));
  } catch (const std::exception& e) {
    // Nothing here should throw; should it still, a message and a failure, never an abort.
    std::fprintf(stderr, "kalibra-catalog: %s\n", e.what());
    return 1;
  }
}
