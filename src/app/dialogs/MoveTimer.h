#pragma once
// The about box's credits pacer: one scroll step every 50 ms on the main thread, created
// suspended.

#include "StepPacer.h"

class MoveTimer : public StepPacer
{
    Q_OBJECT
public:
    static constexpr int StepIntervalMs = 50;
    explicit MoveTimer(std::function<void()> step, QObject *parent = nullptr)
        : StepPacer(StepIntervalMs, std::move(step), parent) {}
};
