#pragma once

namespace tivane {

// The four built-in sounds.
enum class Sound { PickUp = 0, PutDown = 1, Turn = 2, Applause = 3 };

} // namespace tivane
