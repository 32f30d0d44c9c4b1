#pragma once

#include <stdexcept>
#include <string>

namespace varnoki {

// The one error type the core raises. The message is UTF-8 text meant for the person at the
// screen (Traditional Chinese where it is about the user's data), so callers can show it as is.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace varnoki
