# Playback below the window: the session clock and the transport.
umbrascope_add_test(NAME test_session_clock
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SessionClockTest.cpp ${CMAKE_CURRENT_LIST_DIR}/TransportTest.cpp
  LIBRARIES umbrascope_play
  LABELS threads)
