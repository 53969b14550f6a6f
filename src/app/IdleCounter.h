#pragma once

namespace tivane {

// Counts the idle timer's ticks since the last mouse activity.

class IdleCounter
{
public:
    int ticks = 0;
    int limit = 30;

    // One tick; true when the limit is reached, which also starts the count again.
    bool tick()
    {
        ++ticks;
        if (ticks < limit)
            return false;
        ticks = 0;
        return true;
    }
    void reset() { ticks = 0; }
};

} // namespace tivane
