// The JPEG library's API header, with what it expects to be declared first.
// jpeglib.h uses size_t and FILE without including their headers itself.
#pragma once

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
