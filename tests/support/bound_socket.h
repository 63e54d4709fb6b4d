// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A Unix-domain socket bound at a path, for the tests of what is not a regular file: the name
// appears in the file system as a socket, and the descriptor is closed when the object goes. The
// name itself stays behind, as a bound socket's does; the test's temporary folder removes it.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace vornel::test {

class BoundSocket {
public:
    explicit BoundSocket(const std::string& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path) return;
        std::copy(path.begin(), path.end(), address.sun_path);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) close();
    }
    ~BoundSocket() { close(); }
    BoundSocket(const BoundSocket&) = delete;
    BoundSocket& operator=(const BoundSocket&) = delete;

    // False when the path was too long for a socket's name or the bind failed.
    bool bound() const { return fd_ >= 0; }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

} // namespace vornel::test
