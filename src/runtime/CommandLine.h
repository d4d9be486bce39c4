// The development options of pinstage; without any the program behaves as on the cabinet.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pinstage {

struct CommandLine {
    std::optional<std::filesystem::path> root;            // --root DIR
    bool simulate = false;                                // --simulate
    bool windowed = false;                                // --windowed
    std::optional<std::filesystem::path> script;          // --script FILE
    std::optional<std::filesystem::path> trace;           // --trace FILE
    std::optional<uint32_t> quitAfterMs;                  // --quit-after MS
    bool installDefaults = false;                         // --install-defaults
    bool mediaOptions = false;                            // --media-options
    std::optional<std::filesystem::path> renderBackglass; // --render-backglass OUT.png
    bool dumbPlayfield = false;                           // --dumb-playfield
    bool testCamera = false;                              // --camera test
    std::optional<std::array<uint32_t, 4>> scores;        // --scores S1,S2,S3,S4 (with --render-backglass)
    std::optional<uint32_t> credits;                      // --credits N, 0-99 (with --render-backglass)
    std::optional<uint32_t> seed;                         // --seed N: the random draws of a run
    bool help = false;                                    // --help
};

// Parses argv[1..]. Unknown options, missing or bad values raise PinError with a French message.
// --script needs --simulate (the script drives the simulated board).
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage text printed by --help and after a bad option.
std::string commandLineUsage();

} // namespace pinstage
