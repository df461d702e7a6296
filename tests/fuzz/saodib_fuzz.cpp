// Fuzzes the device-independent bitmap reader with the bytes taken both as a
// packed bitmap (a document's picture) and as a ".bmp" file, and checks that
// whatever decodes gives one RGBA pixel per pixel of a bounded picture and that
// a ".bmp" written back reads as the same bitmap.
#include "shapes/saodib.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(const plexo::saoDib& dib) {
    std::vector<std::uint8_t> rgba;
    const bool decoded = dib.decodeToRgba(rgba);
    if (decoded != dib.problem().empty())
        std::abort();
    if (!decoded)
        return;
    if (!dib.isValid() || dib.isTooLarge() ||
        rgba.size() != static_cast<std::size_t>(dib.width()) * static_cast<std::size_t>(dib.height()) * 4)
        std::abort();
    const plexo::saoDib back = plexo::saoDib::fromBmpFile(dib.toBmpFile());
    if (back.block() != dib.block() || back.width() != dib.width() || back.height() != dib.height())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    check(plexo::saoDib(bytes));
    check(plexo::saoDib::fromBmpFile(bytes));
    return 0;
}
