#pragma once

#include <stdexcept>

namespace platform {

// Raised wherever the game calls through an object that is not there (a
// picture not loaded, the table before it opened). The guard in
// EventGuard.h turns it into a message instead of letting it end the game.
class NilObjectException : public std::runtime_error {
public:
    explicit NilObjectException(const char* what = "NilObjectException")
        : std::runtime_error(what) {}
};

// Returns p, or raises NilObjectException when p is null.
template <class Ptr>
auto& Deref(const Ptr& p)
{
    if (!p) {
        throw NilObjectException();
    }
    return *p;
}

} // namespace platform
