#pragma once
#include <cstdint>

namespace tindlow {

// How far the program has got with the network directory of further event files. The numbers
// are the ones the program has always used for them.
enum class NetworkPathState : std::int32_t {
    None = 0,        // no network path configured
    NotReached = 1,  // configured, not found yet: the network probe looks for it
    Reached = 2,     // the path exists
    Read = 3,        // event files have been read from it
};

}  // namespace tindlow
