#include <gtest/gtest.h>
TEST(SoundDeviceTest, Placeholder) {}
