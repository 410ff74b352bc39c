/* Optional outputs: a getter of the plug-in interface leaves a value out
 * when its caller passes a null pointer for it. */
#ifndef ZOQCAM_OUT_H
#define ZOQCAM_OUT_H

namespace zoqplugin {

// Store v through out unless the caller did not ask for it.
template <class T, class V>
inline void PutIfWanted(T* out, V v) {
    if (out) *out = v;
}

}  // namespace zoqplugin

#endif
