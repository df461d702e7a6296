#include "store/workingcopylock.h"

#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plexo {

std::unique_ptr<WorkingCopyLock> WorkingCopyLock::tryLock(const std::filesystem::path& path) {
    // Read-write, so that fsync may flush it; O_NONBLOCK keeps a planted FIFO from blocking the open.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<WorkingCopyLock>(new WorkingCopyLock(fd, path));
}

WorkingCopyLock::~WorkingCopyLock() {
    // Closing the descriptor releases the lock.
    ::close(fd_);
}

bool WorkingCopyLock::flush() const {
    return ::fsync(fd_) == 0;
}

bool WorkingCopyLock::setModificationTime(std::filesystem::file_time_type time) const {
    const auto since = std::chrono::file_clock::to_sys(time).time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds);
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT; // the access time stays
    times[1].tv_sec = static_cast<time_t>(seconds.count());
    times[1].tv_nsec = static_cast<long>(nanoseconds.count());
    return ::futimens(fd_, times) == 0;
}

} // namespace plexo
