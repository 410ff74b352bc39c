/** @file zoq_errors.h
 * @brief Return codes of every ZOQ_* function: 0 for success, a negative
 * code for failure. ZOQ_GetErrorInfo() gives the text of each code. */
#ifndef ZOQ_ERRORS_H
#define ZOQ_ERRORS_H

/** The return codes and their texts (ZOQ_GetErrorInfo()). */
typedef enum ZOQ_RETURN_CODE {
    RC_SUCCESS = 0,          /**< "Successful" */
    RC_PARAMETER_ERROR = -1, /**< "Parameter Error": a null pointer or a value out of range */
    RC_ALLOC_FAILED = -2,    /**< "Memory Allocation Failed" */
    RC_NOT_SUPPORTED = -3, /**< "Operation is not Supported": the camera model lacks the feature, or
                              the platform (preview) */
    RC_NO_DEVICE = -4,     /**< "Device cannt be Detected" */
    RC_NOT_INITIALIZED = -5,   /**< "Device wasn't Initialized": before ZOQ_Init(), or a camera that
                                  was never opened */
    RC_ILLEGAL_OPERATION = -6, /**< "Illegal Operation": not in the current mode */
    RC_NO_PRIVILEGE = -7,      /**< "User No Privilege" */
    RC_FAIL = -8, /**< "Fail": no such camera index, a refused or failed request, a file that cannot
                     be opened */
    RC_WRONG = -9, /**< "Wrong" */
    RC_RECOVERY_DONE =
        -10, /**< "Device Recovery Successful": the frame was lost, the camera was found again */
    RC_RECOVERY_FAILED = -11, /**< "Device Recovery Fail": the frame was lost and the camera could
                                 not be found again */
    RC_BAD_FRAME = -12,       /**< "Bad Frame From Device, Should be Discarded" */
    RC_INVALID_FRAME = -13,   /**< "Invalid Frame, Transmission Error": the frame arrived short */
    RC_ZERO_FRAME = -14,      /**< "Zero Frame, Tranmission Error": no byte of the frame arrived */
    RC_VERSION_ERROR = -15,   /**< "Version Error": a file of another version */
    RC_TIMEOUT = -16,       /**< "Time Out": the frame did not arrive within the capture time-out */
    RC_DEVICE_CLOSED = -17, /**< "Device Has Closed": after ZOQ_Close() */
    RC_BUS_NOT_INITIALIZED = -18, /**< "Bus Not Initial" */
    RC_CAMERA_NOT_CREATED =
        -19, /**< "Camera Not Create": the camera has no plug-in camera object (never opened) */
    RC_INVALID_HANDLE = -20 /**< "Invalid Handle" */
} ZOQ_RETURN_CODE;

/** Bytes of a text buffer for ZOQ_GetErrorInfo(): the longest text has 42
 * characters. */
#define ZOQ_ERROR_TEXT_SIZE 43

#endif
