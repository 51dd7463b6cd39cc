// The program's version, written here only: the version record in ralimet.rc and the release
// packages (installer/make-package reads the four numbers) take it from this file.
#pragma once

#define RALIMET_VERSION_MAJOR 1
#define RALIMET_VERSION_MINOR 0
#define RALIMET_VERSION_PATCH 0
#define RALIMET_VERSION_BUILD 0

// 1, 0, 0, 0 and "1.0.0.0", for the number and string fields of the version record.
#define RALIMET_VERSION_NUMBERS \
  RALIMET_VERSION_MAJOR, RALIMET_VERSION_MINOR, RALIMET_VERSION_PATCH, RALIMET_VERSION_BUILD
#define RALIMET_STRINGIFY_(x) #x
#define RALIMET_STRINGIFY(x) RALIMET_STRINGIFY_(x)
#define RALIMET_VERSION_TEXT_(a, b, c, d) RALIMET_STRINGIFY(a.b.c.d)
#define RALIMET_VERSION_TEXT_EXPAND(numbers) RALIMET_VERSION_TEXT_(numbers)
#define RALIMET_VERSION_TEXT RALIMET_VERSION_TEXT_EXPAND(RALIMET_VERSION_NUMBERS)
