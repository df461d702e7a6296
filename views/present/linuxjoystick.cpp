#include "views/present/linuxjoystick.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <unistd.h>

namespace plexo {

LinuxJoystick::LinuxJoystick(const std::string& device) {
    fd_ = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

LinuxJoystick::~LinuxJoystick() {
    if (fd_ >= 0)
        ::close(fd_);
}

void LinuxJoystick::readPending() {
    if (fd_ < 0)
        return;
    // A bounded number of events a tick, so a flooding device cannot hold the tick.
    for (int i = 0; i < 64; ++i) {
        js_event event{};
        const ssize_t got = ::read(fd_, &event, sizeof event);
        if (got != static_cast<ssize_t>(sizeof event))
            break;
        // The initial state comes as button events too (JS_EVENT_INIT).
        if ((event.type & ~JS_EVENT_INIT) == JS_EVENT_BUTTON && event.number < 2)
            buttons_[event.number] = event.value != 0;
    }
}

bool LinuxJoystick::pressed(int button) {
    if (button < 1 || button > 2)
        return false;
    readPending();
    return buttons_[button - 1];
}

} // namespace plexo
