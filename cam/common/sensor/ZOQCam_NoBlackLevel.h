/* No sensor of the family offers a black level: the three black-level
 * operations of every sensor class answer with these. */
#ifndef ZOQCAM_NOBLACKLEVEL_H
#define ZOQCAM_NOBLACKLEVEL_H

#include "ZoqOut.h"
#include "zoqcam.h"

namespace zoqplugin {

inline int NoBlackLevelRange(unsigned int* min, unsigned int* max) {
    zoq::Put(min, 0);
    zoq::Put(max, 0);
    return RC_NOT_SUPPORTED;
}

inline int NoBlackLevel(unsigned int* level) {
    zoq::Put(level, 0);
    return RC_NOT_SUPPORTED;
}

}  // namespace zoqplugin

#endif
