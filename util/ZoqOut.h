// Optional outputs: getters of the libraries skip a null output pointer.
#pragma once

namespace zoq {

// Stores value through out unless out is null (plain assignment, so the
// usual conversions of `*out = value` apply).
template <typename T, typename V>
inline void Put(T* out, const V& value) {
    if (out != nullptr) *out = value;
}

}  // namespace zoq
