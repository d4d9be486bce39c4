// The contacts file "ContactsParam.fli": the names of the 72 contacts, 1800 bytes.
#pragma once

#include "config/ByteCodec.h"

#include <array>
#include <cstdint>

namespace pinstage {

constexpr int kContactCount = 72;
constexpr int kMatrixContactCount = 64;
constexpr size_t kContactsRecordSize = 1800;

struct ContactsRecord {
    std::array<TextSlot<25>, kContactCount> names{}; // offset 25 * n
};

} // namespace pinstage
