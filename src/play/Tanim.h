#pragma once
// The idle demonstration's pacer: one step every 200 ms on the main thread, created suspended.

#include "StepPacer.h"

class Tanim : public StepPacer
{
    Q_OBJECT
public:
    static constexpr int StepIntervalMs = 200;
    explicit Tanim(std::function<void()> step, QObject *parent = nullptr)
        : StepPacer(StepIntervalMs, std::move(step), parent) {}
};
