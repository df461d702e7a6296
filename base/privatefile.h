// Files Plexo makes for itself (working copies, the new file of a save, the
// internet shortcut file) are created exclusively: never through a name that is
// already there, and never through a symbolic link, so that a document received
// from someone else cannot make Plexo write where a link points.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plexo {

// Creates the file read-write with O_CREAT | O_EXCL | O_NOFOLLOW; the open
// descriptor, or -1 (errno set) when the name is taken, even by a dangling link,
// or the file cannot be made.
int createExclusiveFile(const std::string& path, int mode);

// Whether the name is present in its folder; a symbolic link counts, dangling or not.
bool nameTaken(const std::filesystem::path& path);

// A real folder (not a link) owned by this user and closed to everybody else.
bool isPrivateFolder(const std::filesystem::path& folder);

// The per-user private folder of untitled working copies: "plexo" under
// $XDG_RUNTIME_DIR, else "plexo-<uid>" under the temporary folder, made with
// mode 0700. When that name is taken by something that is not ours, a fresh
// folder is made with mkdtemp for the rest of the session. Empty when no private
// folder can be had.
std::filesystem::path privateFolder();

// Writes the bytes to a new file made with createExclusiveFile (the mode goes
// through the umask). False when the name is taken or writing fails; a file
// made but not written whole is removed.
bool writeNewFile(const std::filesystem::path& path, std::string_view bytes, int mode);

// Replaces the file with the bytes: they are written to a fresh file made with
// mkstemp beside it, then renamed over the name, so a link at that name is
// replaced, never followed. False (nothing left behind) on any failure.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace plexo
