umbrascope_add_test(NAME terminaltext_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TerminalTextTest.cpp
  LIBRARIES umbrascope_base)
