// The words of a failed save. The file that was already there is never
// touched by a failed save, so the message can say so.
#include "core/save_failure.h"

#include "core/texts.h"

const char* FileErrorReason(FileError error)
{
    switch (error) {
    case FileError::DiskFull:
        return TEXT_REASON_DISK_FULL;
    case FileError::NotWritable:
        return TEXT_REASON_NOT_WRITABLE;
    case FileError::NoFolder:
        return TEXT_REASON_NO_FOLDER;
    case FileError::InUse:
        return TEXT_REASON_IN_USE;
    case FileError::NameTooLong:
        return TEXT_REASON_NAME_TOO_LONG;
    case FileError::IsFolder:
        return TEXT_REASON_IS_FOLDER;
    case FileError::None:
    case FileError::Exists:
    case FileError::Other:
        break;
    }
    return TEXT_REASON_OTHER;
}

std::string SaveFailureText(const std::string& path, const char* reason)
{
    return FillIn(Tr(TEXT_SAVE_FAILED), {{"path", path}, {"reason", Tr(reason)}});
}

std::string NameNotKeptText(const std::string& path) { return FillIn(Tr(TEXT_NAME_NOT_KEPT), {{"path", path}}); }
