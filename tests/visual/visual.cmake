# The presentation: pattern geometry and pixels, phrase layout and blend, the phrase file,
# the presentation thread with its hand-overs, the full-screen window and --snapshot.
find_package(Qt6 REQUIRED COMPONENTS Test)

umbrascope_add_test(NAME test_pattern_renderers
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PatternRenderersTest.cpp
  LIBRARIES umbrascope_visual)

umbrascope_add_test(NAME test_phrase_renderer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PhraseRendererTest.cpp
  LIBRARIES umbrascope_visual)

umbrascope_add_test(NAME test_phrase_source
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PhraseSourceTest.cpp
  LIBRARIES umbrascope_visual
  LABELS threads)

umbrascope_add_test(NAME test_video_thread
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/VideoThreadTest.cpp
  LIBRARIES umbrascope_visual
  LABELS threads)

umbrascope_add_test(NAME test_full_screen_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FullScreenWindowTest.cpp
  LIBRARIES umbrascope_visual Qt6::Test
  LABELS threads)

umbrascope_add_test(NAME test_snapshot_command
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SnapshotCommandTest.cpp
  LIBRARIES umbrascope_visual)
add_dependencies(test_snapshot_command umbrascope)

umbrascope_add_test(NAME test_session_picture
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SessionPictureTest.cpp
  LIBRARIES umbrascope_visual)

umbrascope_add_test(NAME test_frame_bands
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FrameBandsTest.cpp
  LIBRARIES umbrascope_visual
  LABELS threads)
