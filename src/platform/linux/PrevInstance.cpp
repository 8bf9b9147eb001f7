// Another copy of the program is detected through a name in the abstract socket
// namespace: binding it writes no file, and the kernel frees it the moment the holder
// dies, however it dies.
#include "platform/linux/PrevInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>

bool ClaimInstanceName(const std::string& name) {
    const int fd =
        socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);  // not inherited by started programs
    if (fd < 0) return true;                             // cannot tell: behave as the only copy
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string abstractName =
        name + "-" + std::to_string(getuid());  // names are shared by all users
    const std::size_t length = std::min(abstractName.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, abstractName.data(), length);  // leading NUL: abstract
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0) {
        const bool held = errno == EADDRINUSE;
        close(fd);
        return !held;
    }
    return true;  // the descriptor stays open for the life of the process
}
