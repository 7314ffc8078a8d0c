// The order of an atomic save, kept in one place for every platform: create
// a fresh temporary file beside the target, write, flush, close, move it over
// the target; on any failure close it if still open and remove it.
#include "core/atomic_file.h"

namespace {

// Tries before giving up on finding a free temporary name; names are taken
// only by other saves running now or left behind by a crash.
constexpr int kTemporaryNameTries = 100;

// The steps after the temporary file exists. A failure in any of them
// removes the temporary file; the caller's file has not been touched.
FileError FillAndReplace(const FileOps& ops, FileHandle file, const std::string& temporary, const std::string& path,
                         const void* data, size_t size)
{
    FileError error = ops.write(file, data, size);
    if (error == FileError::None)
        error = ops.flush(file);
    const FileError closed = ops.close(file);
    if (error == FileError::None)
        error = closed;
    if (error == FileError::None) {
        error = ops.replace(temporary.c_str(), path.c_str());
        // The folder took the temporary file, so a refusal here comes from
        // the file that is already there: read-only, or open elsewhere.
        if (error == FileError::NotWritable)
            error = FileError::InUse;
    }
    if (error != FileError::None)
        ops.remove(temporary.c_str());
    return error;
}

}  // namespace

std::string TemporaryFileName(const FileOps& ops, const std::string& target, int attempt)
{
    const size_t end = target.find_last_of(ops.separators);
    const std::string folder = end == std::string::npos ? std::string() : target.substr(0, end + 1);
    return folder + "~scrivlet" + std::to_string(attempt) + ".tmp";
}

FileError WriteFileAtomically(const FileOps& ops, const std::string& path, const void* data, size_t size)
{
    // Otherwise the whole picture would be written first, only for the last
    // step to fail with a reason that speaks of a file.
    if (ops.isFolder && ops.isFolder(path.c_str()))
        return FileError::IsFolder;
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        const std::string temporary = TemporaryFileName(ops, path, attempt);
        FileHandle file = 0;
        const FileError created = ops.createNew(temporary.c_str(), &file);
        if (created == FileError::Exists)
            continue;
        if (created != FileError::None)
            return created;
        return FillAndReplace(ops, file, temporary, path, data, size);
    }
    return FileError::Other;
}
