#include "shell/reg/ValueForm.h"

#include "shell/reg/RegType.h"
#include "shell/text/Utf8.h"

namespace s::reg {

namespace {

RegValue littleEndian(std::uint32_t type, std::uint64_t value, int size) {
    RegValue out{type, {}};
    for (int i = 0; i < size; ++i) out.data.push_back(std::uint8_t(value >> (8 * i)));
    return out;
}

std::optional<std::uint64_t> readLittleEndian(const RegValue& value, std::size_t size) {
    if (value.data.size() != size) return std::nullopt;
    std::uint64_t result = 0;
    for (std::size_t i = 0; i < size; ++i) result |= std::uint64_t(value.data[i]) << (8 * i);
    return result;
}

}  // namespace

RegValue ValueForm::dword(std::uint32_t value) {
    return littleEndian(REG_DWORD, value, 4);
}

RegValue ValueForm::binary64(std::uint64_t value) {
    return littleEndian(REG_BINARY, value, 8);
}

RegValue ValueForm::binary32(std::uint32_t value) {
    return littleEndian(REG_BINARY, value, 4);
}

RegValue ValueForm::bytes(std::span<const std::uint8_t> data) {
    return RegValue{REG_BINARY, {data.begin(), data.end()}};
}

RegValue ValueForm::text(std::string_view utf8, std::uint32_t type) {
    const std::u16string units = s::str::Utf8::toUtf16(utf8);
    RegValue out{type, {}};
    out.data.reserve((units.size() + 1) * 2);
    for (char16_t unit : units) {
        out.data.push_back(std::uint8_t(unit));
        out.data.push_back(std::uint8_t(unit >> 8));
    }
    out.data.push_back(0);
    out.data.push_back(0);
    return out;
}

std::optional<std::uint32_t> ValueForm::as32(const RegValue& value) {
    const auto result = readLittleEndian(value, 4);
    if (!result) return std::nullopt;
    return static_cast<std::uint32_t>(*result);
}

std::optional<std::uint64_t> ValueForm::as64(const RegValue& value) {
    return readLittleEndian(value, 8);
}

std::string ValueForm::asText(const RegValue& value) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        const char16_t unit = char16_t(value.data[i] | (value.data[i + 1] << 8));
        if (unit == 0) break;
        units += unit;
    }
    return s::str::Utf8::fromUtf16(units);
}

}  // namespace s::reg
