// Writes a small settings database holding one value of every stored kind,
// as a seed for the settings fuzz target: settings-seed PATH.
#include <array>
#include <cstdint>
#include <cstdio>

#include "shell/reg/MappedData.h"
#include "shell/reg/StoreLocation.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH\n", argv[0]);
        return 2;
    }
    auto store = s::reg::MappedData::open(s::reg::StoreLocation::kSaveDataKey, argv[1]);
    if (!store || !store->openForWrite("Sizer")) return 1;
    store->setInt32("Sizer", "mode", 2);
    store->setUInt8("Sizer", "pixelWidth", 200);
    store->setInt64("Sizer", "data", -5);
    store->setDouble("", "data", 1.5);
    store->setString("Window\\Main", "title", "caf\xC3\xA9");
    store->setExpandString("Window\\Main", "mode", "$HOME/x");
    const std::array<std::uint8_t, 5> bytes = {1, 2, 3, 4, 5};
    store->setBytes("Window\\Main", "data", bytes);
    store->flush();
    return 0;
}
