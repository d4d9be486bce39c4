// Symbol visibility of the clavpack shared library.
#pragma once

#include <QtCore/qglobal.h>

#if defined(clavpack_EXPORTS)
#define CLAVPACK_EXPORT Q_DECL_EXPORT
#else
#define CLAVPACK_EXPORT Q_DECL_IMPORT
#endif
