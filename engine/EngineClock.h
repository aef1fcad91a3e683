#pragma once
// Where the frame loop reads time and waits: the system's millisecond timer
// in the program, a scripted clock in tests.

#include <cstdint>

class EngineClock {
public:
    // Milliseconds since some fixed moment; wraps like the system timer.
    virtual uint32_t now() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;

protected:
    ~EngineClock() = default;
};
