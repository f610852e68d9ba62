# The desktop program: the pictures of the main window, the window itself and its commands.
find_package(Qt6 REQUIRED COMPONENTS Test)

umbrascope_add_test(NAME app_drawing
  SOURCES DrawingTest.cpp
  LIBRARIES umbrascope_app)

umbrascope_add_test(NAME app_main_window
  SOURCES MainWindowTest.cpp ProjectCommandsTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test)

umbrascope_add_test(NAME app_playback
  SOURCES PlaybackTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test
  LABELS threads)
