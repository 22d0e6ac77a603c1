// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <streambuf>
#include <string>

namespace vk {

// Asked while a read waits for data that has not arrived yet; true ends the read.
using ReadCancelled = bool (*)();

// A read-only stream buffer over a file descriptor, in the caller's buffer. A regular file is
// read as it comes. A pipe, a FIFO, a terminal or a device may deliver its bytes in pieces and
// may keep the reader waiting: there the buffer waits in short slices and asks `cancelled`
// between them, so that Ctrl-C ends the wait within a fraction of a second. Opening never
// blocks (a FIFO without a writer opens at once and waits for one on the first read).
class InputFileBuffer final : public std::streambuf {
 public:
  InputFileBuffer(char* puffer, std::size_t groesse, ReadCancelled cancelled);
  ~InputFileBuffer() override;
  InputFileBuffer(const InputFileBuffer&) = delete;
  InputFileBuffer& operator=(const InputFileBuffer&) = delete;

  // False with errno set when the file cannot be opened.
  bool Open(const std::string& pfad);
  bool IsDirectory() const { return verzeichnis_; }
  // errno of the read that failed, 0 when none did.
  int ReadError() const { return fehler_; }
  // Whether a wait for data ended because `cancelled` said so.
  bool Cancelled() const { return abgebrochen_; }

 protected:
  int_type underflow() override;

 private:
  bool Warten();

  char* puffer_;
  std::size_t groesse_;
  ReadCancelled cancelled_;
  int fd_ = -1;
  bool regulaer_ = true;
  bool verzeichnis_ = false;
  bool abgebrochen_ = false;
  int fehler_ = 0;
};

}  // namespace vk
