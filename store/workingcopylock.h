// The mark of a working copy in use: an exclusive flock() held on the file for
// as long as the editor that uses it lives. The kernel drops the lock when the
// process ends, however it ends, so a copy left behind by a crash is the only
// kind another editor can take: a second editor never recovers or deletes the
// copy of a document open elsewhere.
#pragma once

#include <filesystem>
#include <memory>

namespace plexo {

class WorkingCopyLock {
public:
    // Locks the file (a regular file, never followed through a symbolic link);
    // nullptr when it is missing, is not a regular file, or another open
    // description holds the lock, in this process or another one.
    static std::unique_ptr<WorkingCopyLock> tryLock(const std::filesystem::path& path);
    ~WorkingCopyLock();
    WorkingCopyLock(const WorkingCopyLock&) = delete;
    WorkingCopyLock& operator=(const WorkingCopyLock&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes the file's data to the disk (fsync); false on an error.
    bool flush() const;
    // Sets the file's modification time (through the locked descriptor).
    bool setModificationTime(std::filesystem::file_time_type time) const;

private:
    WorkingCopyLock(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::filesystem::path path_;
};

} // namespace plexo
