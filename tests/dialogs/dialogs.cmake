# The editing dialogs and the widgets they share, each on its own, without the main window.
find_package(Qt6 REQUIRED COMPONENTS Test)

umbrascope_add_test(NAME test_dialogs
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DialogTestSupport.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SharedWidgetsTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SessionParametersTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AddWaveTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/FontSettingsTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/StartValuesTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/AccessibilityTest.cpp
  LIBRARIES umbrascope_dialogs Qt6::Test)
set_target_properties(test_dialogs PROPERTIES AUTOMOC ON)
