/* Return codes of every ZOQ_* function: 0 for success, a negative code for
 * failure. ZOQ_GetErrorInfo() gives the text of each code. */
#ifndef ZOQ_ERRORS_H
#define ZOQ_ERRORS_H

typedef enum ZOQ_RETURN_CODE {
    RC_SUCCESS = 0,
    RC_PARAMETER_ERROR = -1,
    RC_ALLOC_FAILED = -2,
    RC_NOT_SUPPORTED = -3,
    RC_NO_DEVICE = -4,
    RC_NOT_INITIALIZED = -5,
    RC_ILLEGAL_OPERATION = -6,
    RC_NO_PRIVILEGE = -7,
    RC_FAIL = -8,
    RC_WRONG = -9,
    RC_RECOVERY_DONE = -10,
    RC_RECOVERY_FAILED = -11,
    RC_BAD_FRAME = -12,
    RC_INVALID_FRAME = -13,
    RC_ZERO_FRAME = -14,
    RC_VERSION_ERROR = -15,
    RC_TIMEOUT = -16,
    RC_DEVICE_CLOSED = -17,
    RC_BUS_NOT_INITIALIZED = -18,
    RC_CAMERA_NOT_CREATED = -19,
    RC_INVALID_HANDLE = -20
} ZOQ_RETURN_CODE;

/* The longest error text has 42 characters; this buffer size always fits. */
#define ZOQ_ERROR_TEXT_SIZE 43

#endif
