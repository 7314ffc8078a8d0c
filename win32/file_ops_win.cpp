// Win32 file operations for the atomic writer: thin wrappers that turn
// GetLastError into the reasons a parent is told. A rename onto an existing
// file fails on Windows, so the final step is MoveFileEx with
// MOVEFILE_REPLACE_EXISTING.
#include "win32/shell_win.h"

namespace w32 {

namespace {

constexpr ErrorReason kLastErrorReasons[] = {
    {ERROR_SUCCESS, FileError::None},
    {ERROR_FILE_EXISTS, FileError::Exists},
    {ERROR_ALREADY_EXISTS, FileError::Exists},
    {ERROR_DISK_FULL, FileError::DiskFull},
    {ERROR_HANDLE_DISK_FULL, FileError::DiskFull},
    {ERROR_ACCESS_DENIED, FileError::NotWritable},
    {ERROR_WRITE_PROTECT, FileError::NotWritable},
    {ERROR_NETWORK_ACCESS_DENIED, FileError::NotWritable},
    {ERROR_FILE_NOT_FOUND, FileError::NoFolder},
    {ERROR_PATH_NOT_FOUND, FileError::NoFolder},
    {ERROR_INVALID_DRIVE, FileError::NoFolder},
    {ERROR_BAD_NETPATH, FileError::NoFolder},
    {ERROR_NOT_READY, FileError::NoFolder},
    {ERROR_SHARING_VIOLATION, FileError::InUse},
    {ERROR_LOCK_VIOLATION, FileError::InUse},
    {ERROR_FILENAME_EXCED_RANGE, FileError::NameTooLong},
};

FileError FromLastError() { return ReasonFor(GetLastError(), kLastErrorReasons); }

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileError CreateNew(const char* path, FileHandle* file)
{
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return FromLastError();
    *file = reinterpret_cast<FileHandle>(handle);
    return FileError::None;
}

FileError Write(FileHandle file, const void* data, size_t size)
{
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        // WriteFile takes a 32-bit count; write in pieces well below it.
        const DWORD piece = size < (1u << 30) ? static_cast<DWORD>(size) : (1u << 30);
        DWORD written = 0;
        if (!WriteFile(AsHandle(file), next, piece, &written, nullptr))
            return FromLastError();
        if (written == 0)
            return FileError::DiskFull;
        next += written;
        size -= written;
    }
    return FileError::None;
}

FileError Flush(FileHandle file) { return FlushFileBuffers(AsHandle(file)) ? FileError::None : FromLastError(); }

FileError Close(FileHandle file) { return CloseHandle(AsHandle(file)) ? FileError::None : FromLastError(); }

FileError Replace(const char* from, const char* to)
{
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? FileError::None
                                                                                       : FromLastError();
}

void Remove(const char* path) { DeleteFileA(path); }

bool IsFolder(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A drive letter ends a folder name too ("C:picture.bmp").
constexpr FileOps kWin32FileOps{"\\/:", CreateNew, Write, Flush, Close, Replace, Remove, IsFolder};

}  // namespace

const FileOps& Win32FileOps() { return kWin32FileOps; }

}  // namespace w32
