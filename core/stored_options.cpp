// The stored options value laid over the live record.
#include "core/stored_options.h"

#include <cstring>

bool ApplyStoredOptions(OptionsRecord& record, const void* value, size_t size)
{
    if (size > sizeof record || (size > 0 && !value))
        return false;
    if (size > 0)
        std::memcpy(&record, value, size);
    return true;
}
