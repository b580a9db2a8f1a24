// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"

#include <initializer_list>
#include <vector>

namespace sus {

// Several listeners on one receiver: each call goes to every one of them, in the order listed.

class CharacterListeners final : public CharacterListener {
public:
    CharacterListeners(std::initializer_list<CharacterListener*> listeners) : listeners_(listeners) {}

    void onBreak(std::int64_t startNs, std::int64_t endNs) override
    {
        for (CharacterListener* listener : listeners_)
            listener->onBreak(startNs, endNs);
    }
    void onCharacter(const WireCharacter& c) override
    {
        for (CharacterListener* listener : listeners_)
            listener->onCharacter(c);
    }

private:
    std::vector<CharacterListener*> listeners_;
};

class LineListeners final : public LineListener {
public:
    LineListeners(std::initializer_list<LineListener*> listeners) : listeners_(listeners) {}

    void onFrame(const WireFrame& frame) override
    {
        for (LineListener* listener : listeners_)
            listener->onFrame(frame);
    }
    void onPacket(const WirePacket& packet) override
    {
        for (LineListener* listener : listeners_)
            listener->onPacket(packet);
    }
    void onStray(const WireCharacter& character) override
    {
        for (LineListener* listener : listeners_)
            listener->onStray(character);
    }

private:
    std::vector<LineListener*> listeners_;
};

} // namespace sus
