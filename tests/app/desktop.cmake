# The desktop program: the pictures of the main window, the window itself and its commands.
find_package(Qt6 REQUIRED COMPONENTS Test)

umbrascope_add_test(NAME app_drawing
  SOURCES DrawingTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app)

umbrascope_add_test(NAME app_main_window
  SOURCES MainWindowTest.cpp ProjectCommandsTest.cpp BuildSessionCommandTest.cpp
          SettingsCommandsTest.cpp UnsavedChangesTest.cpp EventCommandsTest.cpp
          QtTestSupport.cpp
          ../dialogs/DialogTestSupport.cpp ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_app Qt6::Test)

umbrascope_add_test(NAME app_play_command
  SOURCES PlayCommandTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test)
add_dependencies(app_play_command umbrascope)

umbrascope_add_test(NAME app_playback
  SOURCES PlaybackTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test
  LABELS threads)

# The end-to-end runs need a real X server: the test program runs under xvfb-run; the run that
# plays uses the sound server test.sh provides (skipped without one), the editing run needs none.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  add_executable(app_end_to_end EndToEndTest.cpp EndToEndEditingTest.cpp QtTestSupport.cpp
    RealDesktop.cpp ProgramRun.cpp ../dialogs/DialogTestSupport.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp)
  add_dependencies(app_end_to_end umbrascope)
  target_link_libraries(app_end_to_end PRIVATE umbrascope_app Qt6::Test GTest::gtest GTest::gtest_main)
  target_include_directories(app_end_to_end PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME app_end_to_end
    COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x800x24" $<TARGET_FILE:app_end_to_end>)
  set_tests_properties(app_end_to_end PROPERTIES
    ENVIRONMENT "UMBRASCOPE_SOURCE_DIR=${PROJECT_SOURCE_DIR};UMBRASCOPE_BUILD_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 120 RESOURCE_LOCK sound_server)

  # Play and Stop many times over with memory and threads sampled; bench/soak.sh runs it longer.
  add_executable(app_soak SoakTest.cpp QtTestSupport.cpp RealDesktop.cpp)
  target_link_libraries(app_soak PRIVATE umbrascope_app Qt6::Test GTest::gtest GTest::gtest_main)
  target_include_directories(app_soak PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME app_soak
    COMMAND ${XVFB_RUN} -a -s "-screen 0 1920x1080x24" $<TARGET_FILE:app_soak>)
  set_tests_properties(app_soak PROPERTIES TIMEOUT 240 RESOURCE_LOCK sound_server)
endif()

# The screen a session shows on: two-screens.sh starts an X server of its own, one wide screen
# split into two monitors side by side (which Qt lists as two screens), runs app_screens there
# (plain, on a desktop scaled by 2, and through OpenGL) and plays a session on the second one.
add_executable(app_screens ScreensTest.cpp QtTestSupport.cpp RealDesktop.cpp)
add_dependencies(app_screens umbrascope)
target_link_libraries(app_screens PRIVATE umbrascope_app Qt6::Test GTest::gtest GTest::gtest_main)
target_include_directories(app_screens PRIVATE ${PROJECT_SOURCE_DIR})
add_test(NAME app_two_screens
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/two-screens.sh $<TARGET_FILE:app_screens>
          $<TARGET_FILE:umbrascope>)
set_tests_properties(app_two_screens PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)

umbrascope_add_test(NAME app_picture_play
  SOURCES PicturePlayTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test
  LABELS threads)

umbrascope_add_test(NAME app_message_bridge
  SOURCES MessageBridgeTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test
  LABELS threads)

umbrascope_add_test(NAME app_help
  SOURCES HelpTest.cpp QtTestSupport.cpp
  LIBRARIES umbrascope_app Qt6::Test)
set_target_properties(app_help PROPERTIES AUTOMOC ON)

umbrascope_add_test(NAME app_window_export
  SOURCES WindowExportTest.cpp SignalEndTest.cpp QtTestSupport.cpp ProgramRun.cpp ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_app Qt6::Test
  LABELS threads)
add_dependencies(app_window_export umbrascope)
