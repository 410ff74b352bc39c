/** @file zoq_export.h
 * @brief Symbol visibility for the ZOQ libraries.
 *
 * Every library is built with -fvisibility=hidden; only what carries one of
 * these macros is part of a library's ABI. */
#ifndef ZOQ_EXPORT_H
#define ZOQ_EXPORT_H

/** @def ZOQ_EXPORT
 * Marks a symbol as part of a library's ABI. */
#if defined(__GNUC__)
#define ZOQ_EXPORT __attribute__((visibility("default")))
#else
#define ZOQ_EXPORT
#endif

/** @def ZOQ_EXTERN_C
 * extern "C" in C++, nothing in C. */
/** @def ZOQ_BEGIN_C
 * Opens an extern "C" block in C++. */
/** @def ZOQ_END_C
 * Closes the block of ZOQ_BEGIN_C. */
#ifdef __cplusplus
#define ZOQ_EXTERN_C extern "C"
#define ZOQ_BEGIN_C extern "C" {
#define ZOQ_END_C }
#else
#define ZOQ_EXTERN_C
#define ZOQ_BEGIN_C
#define ZOQ_END_C
#endif

/** A plain, unmangled library entry point. */
#define ZOQ_API ZOQ_EXTERN_C ZOQ_EXPORT

#endif
