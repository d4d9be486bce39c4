// Heap allocations made by the process so far, counted by a replaced global operator new.
#pragma once

#include <cstddef>

size_t allocationCount();
