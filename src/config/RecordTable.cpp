// The numbering of written records and the whole-record counts of files of equal records.
#include "config/RecordTable.h"

#include "platform/FileIo.h"

#include <system_error>

namespace pinstage {

namespace fs = std::filesystem;

NumberedWrite planNumberedWrite(size_t fileSize, size_t recordSize, bool append, int index,
                                int32_t firstOwnId) {
    size_t n = fileSize / recordSize;
    if (index < 0 || size_t(index) > n)
        throw PinError(kIndexBeyondEndMessage);
    // Appending lands after the last whole record, so a partial tail never shifts later records.
    NumberedWrite plan = append ? NumberedWrite{n * recordSize, int32_t(n)}
                                : NumberedWrite{size_t(index) * recordSize, int32_t(index)};
    if (n == 0)
        plan.firstId = firstOwnId;
    return plan;
}

int wholeRecords(size_t fileBytes, size_t recordSize) {
    return int(std::min<size_t>(fileBytes / recordSize, INT32_MAX));
}

int clampCount(int count, size_t buffers) {
    return std::clamp(count, 0, int(std::min<size_t>(buffers, INT32_MAX)));
}

std::optional<std::vector<uint8_t>> readRegularFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    return readWholeFile(file);
}

} // namespace pinstage
