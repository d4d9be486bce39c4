// The one exception type of the machine: it carries the French message shown to the operator.
#pragma once

#include <stdexcept>
#include <string>

namespace pinstage {

class PinError : public std::runtime_error {
public:
    explicit PinError(const std::string& messageUtf8) : std::runtime_error(messageUtf8) {}
};

} // namespace pinstage
