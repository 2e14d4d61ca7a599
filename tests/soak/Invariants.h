#pragma once
// What must hold between any two operations of the soak. The layout is compared with one
// computed from scratch out of what the view shows through its public queries (columns,
// tops, content width, scroll range, hit tests, neighbours), never out of its internals.

#include <cstdint>
#include <string>

#include "SoakWorld.h"

namespace soak {

// The first broken invariant, described; empty when all hold. Probe picks the points that
// the hit tests are tried at.
std::string CheckInvariants(TWorld& World, std::uint32_t Probe);

}  // namespace soak
