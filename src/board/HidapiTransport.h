// The real board over hidapi's libusb backend: each IO-Warrior shows two HID interfaces, opened
// together and addressed as one board.
#pragma once

#include "board/BoardTransport.h"
#include "board/HidApi.h"

#include <memory>

namespace pinstage {

class HidapiTransport final : public BoardTransport {
public:
    // The library itself unless a test stands in for it.
    explicit HidapiTransport(HidApi& api = systemHidApi());
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    BoardHandle open() override;
    void close(BoardHandle first) override;
    int count() override;
    BoardHandle handle(int k) override;
    uint32_t productId(BoardHandle board) override;
    void identification(BoardHandle board, BoardIdentification& area) override;
    int write(BoardHandle board, int interface, std::span<const uint8_t> report) override;
    int read(BoardHandle board, int interface, std::span<uint8_t> buffer) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace pinstage
