#pragma once

// Base of every outside component the system creates by its registered name.
class HostComponent {
public:
    virtual ~HostComponent() = default;
};
