// Fuzz target: the settings database reader. The input becomes the user's
// registry file; the store below the product's key is opened on it and every
// kind of value is read from a few sections, as the program does at start-up.
// A damaged file may be moved aside by the reader; the scratch folder is
// emptied after each input so every run starts from the input alone.
#include <array>
#include <bit>
#include <string_view>

#include "FuzzSupport.h"
#include "shell/reg/MappedData.h"
#include "shell/reg/StoreLocation.h"

namespace {

volatile std::uint64_t g_sink = 0;

constexpr std::array<std::string_view, 3> kSections = {"", "Sizer", "Window\\Main"};
constexpr std::array<std::string_view, 4> kNames = {"mode", "pixelWidth", "title", "data"};

void readSection(s::reg::MappedData& store, std::string_view section) {
    store.openForRead(section);
    for (std::string_view name : kNames) {
        std::uint64_t v = store.valueExists(section, name);
        v += store.getUInt8(section, name, 1) + store.getInt16(section, name, 2);
        v += store.getUInt32(section, name, 3) + store.getInt64(section, name, 4);
        // Stored bytes may be any double or float, NaN included: fold the bits.
        v += std::bit_cast<std::uint64_t>(store.getDouble(section, name, 0.5));
        v += std::bit_cast<std::uint32_t>(store.getFloat(section, name, 0.5f));
        v += store.getBool(section, name, false);
        bool expandable = false;
        v += store.getString(section, name, "default", &expandable, true).size();
        v += store.getString(section, name, "", nullptr, false).size();
        if (auto bytes = store.getBytes(section, name)) v += bytes->size();
        g_sink = g_sink + v;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = s::fuzz::scratchFolder() + "/registry.db";
    if (s::fuzz::writeFile(path, data, size)) {
        s::thread::Pooled<s::reg::MappedData> store =
            s::reg::MappedData::open(s::reg::StoreLocation::kSaveDataKey, path);
        if (store) {
            for (std::string_view section : kSections) readSection(*store, section);
        }
    }
    s::fuzz::clearScratch();
    return 0;
}
