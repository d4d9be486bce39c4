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

std::vector<uint8_t> overwritePrefix(std::span<const uint8_t> old, std::span<const uint8_t> bytes) {
    // The size is the one of what was read, never of an earlier look at the file: a file cut in
    // between is shorter than it was.
    std::vector<uint8_t> image(bytes.begin(), bytes.end());
    if (old.size() > bytes.size())
        image.insert(image.end(), old.begin() + std::ptrdiff_t(bytes.size()), old.end());
    return image;
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
            if (!writeFileAtomically(file, overwritePrefix(*old, bytes)))
                throw PinError(saveMessage);
            return;
        }
    }
    if (!writeFileAtomically(file, bytes))
        throw PinError(saveMessage);
}

} // namespace pinstage
