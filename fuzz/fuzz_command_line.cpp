// The command line parser on arguments cut from the fuzzed bytes (a zero byte ends an argument):
// it accepts or raises PinError, and what it accepts holds checked values.
#include "platform/PinError.h"
#include "runtime/CommandLine.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace pinstage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args; // argv[1..]
    std::string current;
    for (size_t k = 0; k < size; ++k) {
        if (data[k] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(char(data[k]));
        }
    }
    if (!current.empty())
        args.push_back(current);
    try {
        CommandLine c = parseCommandLine(args);
        if (c.credits && *c.credits > 99)
            std::abort();
        if (c.script && !c.simulate)
            std::abort();
    } catch (const PinError&) {
    }
    (void)commandLineUsage();
    return 0;
}
