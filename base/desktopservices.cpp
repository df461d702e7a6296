#include "base/desktopservices.h"

#include "base/document.h"
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
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
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
