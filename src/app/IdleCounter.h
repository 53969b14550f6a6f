#pragma once
// Counts the idle timer's ticks since the last mouse activity.

class IdleCounter
{
public:
    int IdleTicks = 0;
    int IdleLimit = 30;

    // One tick; true when the limit is reached, which also starts the count again.
    bool tick()
    {
        ++IdleTicks;
        if (IdleTicks < IdleLimit)
            return false;
        IdleTicks = 0;
        return true;
    }
    void reset() { IdleTicks = 0; }
};
