// s::res -- the program's icon, compiled in as PNG bytes at each size the
// desktop asks for (16, 32, 48, 64, 128 and 256 pixels square, rendered from
// resources/icons/tarvex.svg). The bytes live for the whole process.
#pragma once

#include <cstdint>
#include <span>

namespace s::res {

std::span<const std::uint8_t> appIcon16();
std::span<const std::uint8_t> appIcon32();
std::span<const std::uint8_t> appIcon48();
std::span<const std::uint8_t> appIcon64();
std::span<const std::uint8_t> appIcon128();
std::span<const std::uint8_t> appIcon256();

}  // namespace s::res
