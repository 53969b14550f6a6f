#pragma once

// The four built-in sounds.
enum class Sound { PickUp = 0, PutDown = 1, Turn = 2, Applause = 3 };
