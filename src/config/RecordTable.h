// Files of a run of equal numbered records (the players' records, the advertisers): whole-record
// reads, and the writer that numbers what it writes by its place in the file.
#pragma once

#include "config/RecordFile.h"
#include "config/RecordLayout.h"
#include "platform/PinError.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

// The message of a write at an index beyond the end (players and advertisers).
inline constexpr const char* kIndexBeyondEndMessage =
    "l'enregistrement index demandé est supérieur \n au nombre d'enregistrements du fichier";

// Where a writer of numbered records puts them and the number of the first: at the end (n * size)
// numbered from n, or at index * size numbered from index; from firstOwnId when the file holds no
// whole record. PinError kIndexBeyondEndMessage when index is outside 0..n.
struct NumberedWrite {
    size_t offset;
    int32_t firstId;
};
NumberedWrite planNumberedWrite(size_t fileSize, size_t recordSize, bool append, int index,
                                int32_t firstOwnId);

// Whole records in a file of this many bytes: a partial tail is no record.
int wholeRecords(size_t fileBytes, size_t recordSize);
// A count asked of a caller, kept to 0..buffers.
int clampCount(int count, size_t buffers);
// The whole file, or nullopt when it is not a readable regular file.
std::optional<std::vector<uint8_t>> readRegularFile(const std::filesystem::path& file);

// Decodes up to count records (no more than the buffers) from firstIndex, clamped to the records the
// image holds; returns how many.
template <class Record, class Layout>
int readRecords(std::span<const uint8_t> image, size_t recordSize, Layout layout, std::span<Record> buffers,
                int firstIndex, int count) {
    int n = wholeRecords(image.size(), recordSize);
    int index = std::clamp(firstIndex, 0, n);
    int wanted = clampCount(count, buffers.size());
    int read = 0;
    for (; read < wanted && index + read < n; ++read) {
        auto at = image.subspan(size_t(index + read) * recordSize, recordSize);
        buffers[size_t(read)] = decodeRecord<Record>(at, recordSize, layout);
    }
    return read;
}

// Writes count buffers (no more than there are) at the end (append) or at index, numbering them by
// their place (from the first buffer's own number when the file holds no record) and storing each
// number in its buffer's id. The file is created when missing and replaced power-safe; what it held
// elsewhere is kept. PinError(message) when it cannot be read or written, kIndexBeyondEndMessage
// when index > n.
template <class Record, class Layout>
void writeNumberedRecords(const std::filesystem::path& file, size_t recordSize, Layout layout,
                          int32_t Record::*id, std::span<Record> buffers, bool append, int index, int count,
                          const std::string& message) {
    std::vector<uint8_t> image;
    if (std::filesystem::exists(file)) {
        auto existing = readRegularFile(file);
        if (!existing)
            throw PinError(message);
        image = std::move(*existing);
    }
    size_t howMany = size_t(clampCount(count, buffers.size()));
    int32_t firstOwnId = buffers.empty() ? 0 : buffers[0].*id;
    NumberedWrite plan = planNumberedWrite(image.size(), recordSize, append, index, firstOwnId);
    image.resize(std::max(image.size(), plan.offset + howMany * recordSize));
    int32_t next = plan.firstId;
    for (size_t k = 0; k < howMany; ++k) {
        buffers[k].*id = next++;
        auto bytes = encodeRecord(buffers[k], recordSize, layout);
        std::copy(bytes.begin(), bytes.end(), image.begin() + std::ptrdiff_t(plan.offset + k * recordSize));
    }
    writeRecordFile(file, image, message);
}

} // namespace pinstage
