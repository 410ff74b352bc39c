// Float arguments: NaN and the infinities have no integer to convert to
// (the conversion is undefined), so setters refuse them up front.
#pragma once

#include <cmath>
#include <cstddef>

namespace zoq {

inline bool Finite(float value) {
    return std::isfinite(value);
}

// All of values[0 .. count - 1] are finite.
inline bool AllFinite(const float* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

}  // namespace zoq
