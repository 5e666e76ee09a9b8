// s::res -- data compiled into the binaries.
//
// languagePack() gives the language pack document (UTF-8 with a byte-order
// mark): every user-visible text of the program in each supported language.
// The bytes are embedded at build time, so the program needs no data file
// beside it; they live for the whole process and never change.
#pragma once

#include <cstdint>
#include <span>

namespace s::res {

std::span<const std::uint8_t> languagePack();

}  // namespace s::res
