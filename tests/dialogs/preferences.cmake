# What the user's settings hold: read as earlier versions wrote them, written the same, and
# damaged values never trusted.
umbrascope_add_test(NAME test_preferences
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PreferencesTest.cpp
  LIBRARIES umbrascope_ui)
