#ifndef KW_EXPORT_H
#define KW_EXPORT_H

/// KW_API marks what Kwadro_ANSI exports: dllexport while the library is built, dllimport for clients.
#if defined(_WIN32)
#if defined(KW_BUILDING_LIBRARY)
#define KW_API __declspec(dllexport)
#else
#define KW_API __declspec(dllimport)
#endif
#else
#define KW_API
#endif

#endif
