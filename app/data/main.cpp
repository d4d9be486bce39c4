// Entry point of pinstage-data.
#include "DataTool.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return pinstage::runDataTool(args, std::cout, std::cerr);
}
