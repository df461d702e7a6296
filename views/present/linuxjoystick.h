// Joystick 0 read from the Linux joystick device (/dev/input/js0): the state
// of its buttons, updated from the events waiting at each question. Without
// the device the buttons are never pressed.
#pragma once

#include "edit/presentation.h"

#include <string>

namespace plexo {

class LinuxJoystick : public Joystick {
public:
    explicit LinuxJoystick(const std::string& device = "/dev/input/js0");
    ~LinuxJoystick() override;
    LinuxJoystick(const LinuxJoystick&) = delete;
    LinuxJoystick& operator=(const LinuxJoystick&) = delete;

    bool present() const { return fd_ >= 0; }
    // Buttons 1 and 2 (the device's buttons 0 and 1).
    bool pressed(int button) override;

private:
    void readPending();

    int fd_ = -1;
    bool buttons_[2] = {false, false};
};

} // namespace plexo
