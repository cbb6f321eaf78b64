// The version resource. Nothing on Linux shows it; it is kept as data.
#include "res/resource_parts.h"

#include <iterator>

namespace veldrin_res {
namespace {

const VersionString kVersionStrings[] = {
    {"CompanyName", "Veldrin developers"},
    {"FileDescription", "Veldrin MFC Application"},
    {"FileVersion", "1, 2, 0, 1"},
    {"InternalName", "Veldrin"},
    {"LegalCopyright", "Copyright (C) 2026 the Veldrin developers"},
    {"OriginalFilename", "Veldrin.EXE"},
    {"ProductName", "Veldrin Application"},
    {"ProductVersion", "1, 2, 0, 1"},
    {"Comments", "Shows the readable text inside any file."},
};

}  // namespace

const VersionResource kVersion = {
    {1, 0, 0, 1},
    {1, 0, 0, 1},
    "application",
    "32-bit Windows",
    0x0409,  // U.S. English
    1200,    // Unicode
    kVersionStrings,
    static_cast<int>(std::size(kVersionStrings)),
};

}  // namespace veldrin_res
