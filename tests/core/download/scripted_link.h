#pragma once

// A link that plays back the board's bytes from a script and records what was sent. When the
// script runs out, the board is silent.

#include <deque>
#include <vector>

#include "download/byte_link.h"
#include "download/frame.h"

namespace varnoki::download::testing {

class ScriptedLink final : public ByteLink {
public:
    std::vector<std::uint8_t> sent;
    std::deque<std::uint8_t> script;
    int clears = 0;

    void Add(std::initializer_list<std::uint8_t> bytes) { script.insert(script.end(), bytes); }
    void AddFrame(const std::vector<std::uint8_t>& data) {
        const auto wire = EncodeFrame(data);
        script.insert(script.end(), wire.begin(), wire.end());
    }

    void SendByte(std::uint8_t byte) override { sent.push_back(byte); }
    std::uint8_t ReceiveByte(std::chrono::milliseconds) override {
        if (script.empty()) throw LinkError::Silent();
        const std::uint8_t byte = script.front();
        script.pop_front();
        return byte;
    }
    void ClearLink() override { ++clears; }
    void Cancel() override {}
};

}  // namespace varnoki::download::testing
