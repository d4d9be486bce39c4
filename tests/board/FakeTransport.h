// A kit stand-in whose answers a test sets one by one: write results, read results, board counts.
#pragma once

#include "board/BoardModel.h"
#include "board/BoardTransport.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace pinstage::test {

struct FakeTransport final : BoardTransport {
    struct Sent {
        int interface;
        std::vector<uint8_t> bytes;
    };
    struct ReadAnswer {
        int count;                 // what read returns
        std::vector<uint8_t> data; // what it copies (at most the buffer)
    };

    BoardHandle openResult = 7;
    int boards = 1;
    uint32_t pid = kIoWarrior56;
    std::deque<int> writeResults; // one per write; when empty the whole report is sent
    std::deque<ReadAnswer> readAnswers;
    std::vector<Sent> sent;
    int closes = 0;

    BoardHandle open() override { return openResult; }
    void close(BoardHandle) override { ++closes; }
    int count() override { return boards; }
    BoardHandle handle(int k) override { return BoardHandle(100 + k); }
    uint32_t productId(BoardHandle) override { return pid; }
    void identification(BoardHandle, BoardIdentification& area) override {
        area.fill(0);
        area[0] = u'A';
        area[1] = u'é';
    }
    int write(BoardHandle, int interface, std::span<const uint8_t> report) override {
        sent.push_back({interface, std::vector<uint8_t>(report.begin(), report.end())});
        if (writeResults.empty())
            return int(report.size());
        int r = writeResults.front();
        writeResults.pop_front();
        return r;
    }
    int read(BoardHandle, int, std::span<uint8_t> buffer) override {
        if (readAnswers.empty())
            return 0;
        ReadAnswer a = readAnswers.front();
        readAnswers.pop_front();
        std::copy_n(a.data.begin(), std::min(a.data.size(), buffer.size()), buffer.begin());
        return a.count;
    }
};

} // namespace pinstage::test
