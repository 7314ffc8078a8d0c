// Win32 file operations for the atomic writer: thin wrappers that turn
// GetLastError into the reasons a parent is told. A rename onto an existing
// file fails on Windows, so the final step is MoveFileEx with
// MOVEFILE_REPLACE_EXISTING.
#include <windows.h>

#include "files/atomic_file.h"

namespace {

FileError FromLastError()
{
    switch (GetLastError()) {
    case ERROR_SUCCESS:
        return FileError::None;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return FileError::Exists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileError::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
        return FileError::NotWritable;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_NOT_READY:
        return FileError::NoFolder;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileError::InUse;
    case ERROR_FILENAME_EXCED_RANGE:
        return FileError::NameTooLong;
    default:
        return FileError::Other;
    }
}

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

const FileOps& PlatformFileOps() { return kWin32FileOps; }
