#include "support/non_regular_files.h"

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace testing_support {

void makeFifo(const std::string& path) {
    if (::mkfifo(path.c_str(), 0600) != 0)
        throw std::runtime_error("cannot make the FIFO " + path);
}

void makeSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long: " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        socket >= 0 && ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0)
        ::close(socket);
    if (!bound)
        throw std::runtime_error("cannot make the socket " + path);
}

FifoFeeder::FifoFeeder(std::string path) : path_(std::move(path)) {
    thread_ = std::thread([this] {
        while (!stop_) {
            // Without a reader the open fails at once instead of waiting.
            const int fifo = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fifo >= 0) {
                [[maybe_unused]] const auto written = ::write(fifo, "fed\n", 4);
                ::close(fifo);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
}

FifoFeeder::~FifoFeeder() {
    stop_ = true;
    thread_.join();
}

} // namespace testing_support
