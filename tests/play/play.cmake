# Playback below the window: the session clock.
umbrascope_add_test(NAME test_session_clock
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SessionClockTest.cpp
  LIBRARIES umbrascope_play
  LABELS threads)
