// The one exception of the program: a failure that stops it. Its text names the file and what
// failed, ready to show. Everything else reports through statuses (the platform) and outcomes
// (the operations).
#pragma once

#include <stdexcept>

namespace qv {

class OperationError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace qv
