#include "base/desktopservices.h"

#include "base/document.h"
#include "base/privatefile.h"
#include "base/shutdown.h"

#include <system_error>

namespace plexo {

namespace {
DesktopServices defaultServices;
DesktopServices* currentServices = &defaultServices;
} // namespace

MediaResult DesktopServices::openMidi(const std::filesystem::path&) {
    return {};
}

MediaResult DesktopServices::playMidi() {
    return {};
}

std::filesystem::path DesktopServices::shortcutFolder() {
    // Not the shared temporary folder: another user could hold the name there.
    std::filesystem::path folder = privateFolder();
    if (!folder.empty())
        return folder;
    std::error_code error;
    folder = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : folder;
}

bool DesktopServices::openUrlFile(const std::filesystem::path&) {
    return false;
}

bool DesktopServices::mailFile(const std::filesystem::path&) {
    return false;
}

bool DesktopServices::saveDocument(Document& document) {
    return !document.path().empty() && document.commit(false);
}

bool DesktopServices::isShuttingDown() {
    return shuttingDown();
}

void setDesktopServices(DesktopServices* services) {
    currentServices = services ? services : &defaultServices;
}

DesktopServices& desktopServices() {
    return *currentServices;
}

} // namespace plexo
