// s::res -- the two pictures of the maker's logo, compiled in as JPEG bytes:
// logoWide() 700 x 230 and logoTall() 230 x 700 (rendered from
// resources/pictures/logo-*.svg). The bytes live for the whole process.
#pragma once

#include <cstdint>
#include <span>

namespace s::res {

std::span<const std::uint8_t> logoWide();
std::span<const std::uint8_t> logoTall();

}  // namespace s::res
