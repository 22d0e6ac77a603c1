// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InputFileBuffer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vk {

namespace {
// How long one wait for data lasts before Ctrl-C is asked about again.
constexpr int kWarteMs = 40;
}  // namespace

InputFileBuffer::InputFileBuffer(char* puffer, std::size_t groesse, ReadCancelled cancelled)
    : puffer_(puffer), groesse_(groesse), cancelled_(cancelled) {}

InputFileBuffer::~InputFileBuffer() {
  if (fd_ >= 0) ::close(fd_);
}

bool InputFileBuffer::Open(const std::string& pfad) {
  // Without O_NONBLOCK a FIFO that has no writer would block already here, where nothing can be
  // asked; with it, reading would end at once. So: open without blocking, then block again.
  fd_ = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd_ < 0) return false;
  struct stat st {};
  if (::fstat(fd_, &st) == 0) {
    regulaer_ = S_ISREG(st.st_mode);
    verzeichnis_ = S_ISDIR(st.st_mode);
  }
  if (!regulaer_) {
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  }
  setg(puffer_, puffer_, puffer_);
  return true;
}

// True when data (or the end) can be read without waiting; false when cancelled.
bool InputFileBuffer::Warten() {
  if (regulaer_) return true;
  for (;;) {
    if (cancelled_ != nullptr && cancelled_()) {
      abgebrochen_ = true;
      return false;
    }
    pollfd p{fd_, POLLIN, 0};
    const int n = ::poll(&p, 1, kWarteMs);
    // POLLHUP, POLLERR and POLLNVAL too: the read then says what it is.
    if (n > 0) return true;
    if (n < 0 && errno != EINTR) return true;
  }
}

InputFileBuffer::int_type InputFileBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (fd_ < 0 || fehler_ != 0 || abgebrochen_) return traits_type::eof();
  for (;;) {
    if (!Warten()) return traits_type::eof();
    const ssize_t n = ::read(fd_, puffer_, groesse_);
    if (n > 0) {
      setg(puffer_, puffer_, puffer_ + n);
      return traits_type::to_int_type(*gptr());
    }
    if (n == 0) return traits_type::eof();
    if (errno == EINTR || errno == EAGAIN) continue;
    fehler_ = errno;
    return traits_type::eof();
  }
}

}  // namespace vk
