// The words of a failed save. The file that was already there is never
// touched by a failed save, so the message can say so.
#include "core/save_failure.h"

const char* FileErrorReason(FileError error)
{
    switch (error) {
    case FileError::DiskFull:
        return "the disk is full";
    case FileError::NotWritable:
        return "this folder cannot be written to";
    case FileError::NoFolder:
        return "the folder does not exist";
    case FileError::InUse:
        return "the file already there is read-only or open in another program";
    case FileError::NameTooLong:
        return "the name of the file or its folder is too long";
    case FileError::IsFolder:
        return "there is a folder of that name";
    case FileError::None:
    case FileError::Exists:
    case FileError::Other:
        break;
    }
    return "the file could not be written";
}

std::string SaveFailureText(const std::string& path, const char* reason)
{
    return "The picture was not saved as\n\n" + path + "\n\nbecause " + reason +
           ".\n\nNothing there has changed, and the picture is still on the screen. Try File > Save as BMP "
           "again, perhaps in another folder.";
}
