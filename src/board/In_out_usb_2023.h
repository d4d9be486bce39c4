// Everything the rest of the machine uses of the board unit: port access, switch scan, outputs.
#pragma once

#include "board/BoardIo.h"
#include "board/BoardMessages.h"
#include "board/BoardModel.h"
#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/OutputOperations.h"
#include "board/Outputs.h"
#include "board/ResetOutputs.h"
#include "board/SwitchScan.h"
