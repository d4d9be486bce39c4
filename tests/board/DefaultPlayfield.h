// The default coil and lamp records of the machine, built here so the board tests stand alone.
#pragma once

#include "config/CoilsRecord.h"
#include "config/LampsRecord.h"

namespace pinstage::test {

CoilsRecord defaultCoils();
LampsRecord defaultLamps();

} // namespace pinstage::test
