// Whole-record reads and writes with the French messages of each file.
#include "config/RecordFile.h"

#include "platform/FileIo.h"
#include "platform/PinError.h"

#include <algorithm>
#include <system_error>

namespace pinstage {

std::vector<uint8_t> readRecordFile(const std::filesystem::path& file, size_t maxBytes,
                                    const std::string& loadMessage) {
    // A directory opens as a stream on Linux and reads nothing: it is not a record file.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw PinError(loadMessage);
    auto bytes = readFilePrefix(file, maxBytes);
    if (!bytes)
        throw PinError(loadMessage);
    return std::move(*bytes);
}

void writeRecordFile(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                     const std::string& saveMessage, SaveMode mode) {
    if (mode == SaveMode::OverwriteInPlace) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec) &&
            std::filesystem::file_size(file, ec) > bytes.size()) {
            auto old = readWholeFile(file);
            if (!old)
                throw PinError(saveMessage);
            std::copy(bytes.begin(), bytes.end(), old->begin());
            if (!writeFileAtomically(file, *old))
                throw PinError(saveMessage);
            return;
        }
    }
    if (!writeFileAtomically(file, bytes))
        throw PinError(saveMessage);
}

} // namespace pinstage
