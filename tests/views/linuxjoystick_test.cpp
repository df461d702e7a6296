// Joystick 0 through the Linux joystick device: button events (the initial
// state included) set buttons 1 and 2; without the device nothing is pressed.
#include "views/present/linuxjoystick.h"

#include "support/testenvironment.h"

#include <gtest/gtest.h>
#include <linux/joystick.h>

#include <cstdio>
#include <vector>

namespace plexo {
namespace {

void writeEvents(const std::string& path, const std::vector<js_event>& events) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    for (const js_event& event : events)
        std::fwrite(&event, sizeof event, 1, file);
    std::fclose(file);
}

js_event event(std::uint8_t type, std::uint8_t number, std::int16_t value) {
    js_event made{};
    made.type = type;
    made.number = number;
    made.value = value;
    return made;
}

TEST(LinuxJoystick, ButtonEventsSetButtonsOneAndTwo) {
    test::TemporaryFolder folder;
    const std::string device = (folder / "js0").string();
    writeEvents(device,
                {
                    event(JS_EVENT_BUTTON | JS_EVENT_INIT, 0, 0),
                    event(JS_EVENT_BUTTON | JS_EVENT_INIT, 1, 1),               // button 2 held at the start
                    event(JS_EVENT_AXIS, 0, 12000),                             // axes are not buttons
                    event(JS_EVENT_BUTTON, 0, 1), event(JS_EVENT_BUTTON, 5, 1), // other buttons are not read
                });
    LinuxJoystick joystick(device);
    ASSERT_TRUE(joystick.present());
    EXPECT_TRUE(joystick.pressed(1));
    EXPECT_TRUE(joystick.pressed(2));
    EXPECT_FALSE(joystick.pressed(3));
    EXPECT_FALSE(joystick.pressed(0));
}

TEST(LinuxJoystick, AbsentDeviceNeverFires) {
    LinuxJoystick joystick("/nonexistent/js0");
    EXPECT_FALSE(joystick.present());
    EXPECT_FALSE(joystick.pressed(1));
    EXPECT_FALSE(joystick.pressed(2));
}

} // namespace
} // namespace plexo
