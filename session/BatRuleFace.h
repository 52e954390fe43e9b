#pragma once

// The component's public entry class. Creating one gives the calling thread
// its host connection; releasing any one takes it away again.
class BatRuleFace {
public:
    BatRuleFace();
    ~BatRuleFace();

    BatRuleFace(const BatRuleFace&) = delete;
    BatRuleFace& operator=(const BatRuleFace&) = delete;
};
