# Texts made below the windows, as the command line prints them and as the windows show them.
umbrascope_add_test(NAME test_shown_text
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ShownTextTest.cpp
  LIBRARIES umbrascope_ui)
