#include "core/Clock.h"

#include <chrono>

namespace qv {
namespace {

class SystemClock final : public Clock {
  public:
    std::int64_t now_ms() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace

const Clock& system_clock() {
    static const SystemClock clock;
    return clock;
}

}  // namespace qv
