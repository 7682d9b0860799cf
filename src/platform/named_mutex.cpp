#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

// Ours alone: a real folder (no link), owned by us, closed to everyone else.
bool PrivateFolder(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & 077) == 0;
}

}  // namespace

std::string NamedMutexFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) return runtime;
    // Without a session folder, a folder in /tmp that nobody else can plant
    // names in stands for the session.
    const std::string fallback = "/tmp/datalogger-config-" + std::to_string(getuid());
    if (mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return {};
    return PrivateFolder(fallback) ? fallback : std::string();
}

NamedMutexHandle CreateNamedMutex(std::string_view name, bool& alreadyExists) {
    alreadyExists = false;
    const std::string folder = NamedMutexFolder();
    if (folder.empty()) return NO_NAMED_MUTEX;
    const std::string path = folder + "/" + std::string(name);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return NO_NAMED_MUTEX;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            close(fd);
            return NO_NAMED_MUTEX;
        }
        alreadyExists = true;
    }
    return fd;
}

void CloseNamedMutex(NamedMutexHandle handle) {
    if (handle != NO_NAMED_MUTEX) close(handle);
}
