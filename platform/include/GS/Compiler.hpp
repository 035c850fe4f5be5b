// What the compilers of the supported systems spell differently: the symbols that leave the
// platform library, and printf-style checks of format strings.
#pragma once

#include <cstdio>  // MinGW's printf flavour (__MINGW_PRINTF_FORMAT)

// The platform library's own symbols are hidden on every system; what it hands to the host and
// to add-ons is marked PLATFORM_API, so a mark that is missing fails on Linux as on Windows.
#if defined(_WIN32)
#if defined(STAKEWISE_PLATFORM_BUILD)
#define PLATFORM_API __declspec(dllexport)
#else
#define PLATFORM_API __declspec(dllimport)
#endif
#else
#define PLATFORM_API __attribute__((visibility("default")))
#endif

// MinGW's printf is the C99 one (%zu, %lld), which GCC checks only under its own archetype.
#if defined(__MINGW_PRINTF_FORMAT)
#define GS_PRINTF_FORMAT(formatIndex, firstArgumentIndex) \
    __attribute__((format(__MINGW_PRINTF_FORMAT, formatIndex, firstArgumentIndex)))
#else
#define GS_PRINTF_FORMAT(formatIndex, firstArgumentIndex) \
    __attribute__((format(printf, formatIndex, firstArgumentIndex)))
#endif

// A function that a loadable module (an add-on) hands to the program that loads it, under its
// plain C name; nothing else leaves a module.
#if defined(_WIN32)
#define GS_MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define GS_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif
