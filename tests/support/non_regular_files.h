#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace testing_support {

// Makes a FIFO, or a Unix socket bound to the path (the socket file stays after it closes).
void makeFifo(const std::string& path);
void makeSocket(const std::string& path);

// Feeds one line to a FIFO as soon as some reader has it open, for as long as it lives. A
// reader that blocks on the FIFO then gets that line instead of waiting for ever, so a test of
// code that must not read FIFOs fails rather than hangs when the code does read them.
class FifoFeeder {
  public:
    explicit FifoFeeder(std::string path);
    ~FifoFeeder();
    FifoFeeder(const FifoFeeder&) = delete;
    FifoFeeder& operator=(const FifoFeeder&) = delete;

  private:
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace testing_support
