// Writing a whole file so that it is never torn: the bytes go to a temporary
// file in the target's folder, which replaces the target only once every
// byte is written and the file is closed. Any failure removes the temporary
// file and leaves what was there before as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Why a file operation failed, in the terms a parent is told.
enum class FileError {
    None,
    Exists,          // the name is taken (only when creating a new file)
    DiskFull,
    NotWritable,     // no permission, or a read-only disk or folder
    NoFolder,        // the folder does not exist
    InUse,           // another program holds the file, or it is read-only
    NameTooLong,
    IsFolder,        // the name is a folder's, not a file's
    Other,
};

using FileHandle = intptr_t;

// One row of a platform's table from its error codes (errno, GetLastError)
// to the reasons above.
struct ErrorReason {
    unsigned long code;
    FileError reason;
};

// The reason `code` has in `table`; Other for a code the table lacks.
template <size_t N>
constexpr FileError ReasonFor(unsigned long code, const ErrorReason (&table)[N])
{
    for (const ErrorReason& row : table) {
        if (row.code == code)
            return row.reason;
    }
    return FileError::Other;
}

// The platform's part: plain file operations, each one system call or so.
// Each shell hands the core its own table; tests may pass theirs.
struct FileOps {
    // Characters that end a folder name in a path.
    const char* separators;
    // Creates `path` for writing; Exists when something has that name.
    FileError (*createNew)(const char* path, FileHandle* file);
    // Writes all `size` bytes or fails.
    FileError (*write)(FileHandle file, const void* data, size_t size);
    // Puts what was written onto the disk.
    FileError (*flush)(FileHandle file);
    FileError (*close)(FileHandle file);
    // Moves `from` to `to`, replacing a file that has that name.
    FileError (*replace)(const char* from, const char* to);
    void (*remove)(const char* path);
    // True when `path` names a folder. May be left out (null).
    bool (*isFolder)(const char* path);
};

// The temporary name the `attempt`th try uses for `target`: a short name in
// the target's folder, so that the final move never crosses disks.
std::string TemporaryFileName(const FileOps& ops, const std::string& target, int attempt);

// Writes `size` bytes to `path` atomically. None when the file now holds
// exactly these bytes; otherwise why not, and `path` is as it was. A folder
// of that name is refused before anything is written.
FileError WriteFileAtomically(const FileOps& ops, const std::string& path, const void* data, size_t size);
