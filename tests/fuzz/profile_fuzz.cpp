// The settings file parser on arbitrary bytes: reading every setting and
// writing keys back must neither crash nor lose the written values.
#include "shell/profilefile.h"
#include "shell/recentfiles.h"
#include "shell/settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace plexo;
    ProfileFile profile;
    profile.setText(std::string_view(reinterpret_cast<const char*>(data), size));
    Settings settings;
    settings.read(profile, "/lib", Rect{0, 0, 1920, 1080});
    RecentFiles recent;
    recent.read(profile);
    settings.write(profile);
    recent.write(profile);
    // What was written reads back, whatever the file held before.
    if (profile.readString("Plexo", "version") != std::optional<std::string>("105"))
        std::abort();
    if (profile.readString("Options", "Fuseau") != formatProfileInteger(settings.timeZoneOffset))
        std::abort();
    ProfileFile again;
    again.setText(profile.text());
    if (again.text() != profile.text())
        std::abort();
    return 0;
}
