// The board check: the boards are opened as pinstage opens them (switch and lamp matrices enabled,
// input ports released), so the reports shown are the ones the program will read.
#include "BoardCheck.h"

#include "board/BoardIo.h"
#include "board/BoardModel.h"

#include <array>
#include <cstdio>

namespace pinstage {

namespace {

constexpr uint8_t kLampMatrixData = 0x15;
constexpr int kLampCount = 64;
constexpr int kCoilCount = 24;
constexpr int kFirstCoilPort = 3;

const char* const kNoBoard =
    "aucune carte IO-Warrior trouvée : vérifiez le câble, l'alimentation de la carte et "
    "les droits d'accès (règle udev 70-iowarrior.rules, groupe plugdev)";

std::string time(uint32_t ms) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%8u ms  ", ms);
    return buf;
}

// The lamp matrix as LampEngine sends it: lamp bytes 0-3 in block 0, 4-7 in block 1, one byte per
// line at 2, 10, 18 and 26.
void sendLamps(BoardIo& io, const std::array<uint8_t, 8>& bytes) {
    for (int block = 0; block < 2; ++block) {
        io.special.fill(0);
        io.special[1] = uint8_t(block);
        for (int k = 0; k < 4; ++k)
            io.special[size_t(2 + 8 * k)] = bytes[size_t(4 * block + k)];
        writeSpecial(io, kLampMatrixData);
    }
}

// Coils are active low on ports 3-5.
void driveCoil(BoardIo& io, int coil, bool on) {
    uint8_t bit = uint8_t(1u << (coil % 8));
    writePort(io, kFirstCoilPort + coil / 8, on ? uint8_t(0xFF & ~bit) : uint8_t(0xFF));
}

void everythingOff(BoardIo& io) {
    for (int port = kFirstCoilPort; port < kFirstCoilPort + kCoilCount / 8; ++port)
        writePort(io, port, 0xFF);
    sendLamps(io, {});
    closeBoard(io);
}

} // namespace

std::string reportHex(std::span<const uint8_t> report) {
    size_t used = report.size();
    while (used > 1 && report[used - 1] == 0)
        --used;
    std::string s;
    char buf[4];
    for (size_t i = 0; i < used; ++i) {
        std::snprintf(buf, sizeof buf, i == 0 ? "%02X" : " %02X", unsigned(report[i]));
        s += buf;
    }
    if (used < report.size())
        s += " (+" + std::to_string(report.size() - used) + " × 00)";
    return s;
}

int runBoardCheck(const BoardCheckHost& host, const BoardCheckOptions& options, std::ostream& out,
                  std::ostream& err) {
    if (options.lamp && (*options.lamp < 0 || *options.lamp >= kLampCount))
        return err << "numéro de voyant invalide (0 à 63) : " << *options.lamp << '\n', 2;
    if (options.coil && (*options.coil < 0 || *options.coil >= kCoilCount))
        return err << "numéro de bobine invalide (0 à 23) : " << *options.coil << '\n', 2;

    BoardIo io;
    if (!openBoard(io, host.board)) {
        err << kNoBoard << '\n';
        return 1;
    }
    out << "cartes IO-Warrior trouvées : " << io.boardCount << '\n';
    for (int k = 0; k < io.boardCount; ++k) {
        const BoardRecord& b = io.boards[size_t(k)];
        char id[16];
        std::snprintf(id, sizeof id, "%04x:%04x", unsigned(kIoWarriorVendor), unsigned(b.productId));
        out << "  carte " << k + 1 << " : " << b.productName << " (" << id << "), numéro de série "
            << identificationUtf8(b.identification) << '\n';
    }
    out << "rapports bruts de la carte 1 en hexadécimal (port : n° de rapport 00 puis ports 0 à "
        << portReportSize(activeProductId(io)) - 2 << " ; spécial : n° de rapport puis données)";
    if (options.listenMs != 0) {
        out << " pendant " << options.listenMs / 1000;
        if (options.listenMs % 1000 != 0)
            out << ',' << options.listenMs % 1000 / 100;
        out << " s";
    }
    out << '\n';

    const uint32_t start = host.clock.now();
    auto elapsed = [&] { return elapsedSince(host.clock.now(), start); };
    if (options.lamp) {
        std::array<uint8_t, 8> bytes{};
        bytes[size_t(*options.lamp / 8)] = uint8_t(1u << (*options.lamp % 8));
        sendLamps(io, bytes);
        out << time(elapsed()) << "voyant " << *options.lamp << " allumé\n";
    }
    bool coilHeld = false;
    if (options.coil) {
        driveCoil(io, *options.coil, true);
        coilHeld = true;
        out << time(elapsed()) << "bobine " << *options.coil << " : impulsion de " << kBoardCheckCoilPulseMs
            << " ms\n";
    }

    int status = 0;
    std::array<uint8_t, kSpecialReportBytes> buffer{};
    const int sizes[2] = {portReportSize(activeProductId(io)), specialReportSize(activeProductId(io))};
    const char* const names[2] = {"port     ", "spécial  "};
    while (status == 0) {
        if (coilHeld && elapsed() >= kBoardCheckCoilPulseMs) {
            driveCoil(io, *options.coil, false);
            coilHeld = false;
        }
        for (int interface : {kPortInterface, kSpecialInterface}) {
            size_t size = size_t(sizes[interface] > 0 ? sizes[interface] : int(buffer.size()));
            int n;
            while ((n = host.board.read(io.present, interface, std::span(buffer.data(), size))) > 0)
                out << time(elapsed()) << names[interface] << reportHex(std::span(buffer.data(), size_t(n)))
                    << '\n';
            if (n < 0) {
                err << "la carte ne répond plus (débranchée ?)\n";
                status = 1;
                break;
            }
        }
        if (status != 0 || (options.listenMs != 0 && elapsed() >= options.listenMs) || !host.pause())
            break;
    }
    everythingOff(io);
    out.flush();
    return status;
}

} // namespace pinstage
