// The time removals are stamped with. Operations read it through this interface, so that a test
// fixes it.
#pragma once

#include <cstdint>

namespace qv {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since 1970-01-01 UTC.
    virtual std::int64_t now_ms() const = 0;
};

// The system's clock.
const Clock& system_clock();

}  // namespace qv
