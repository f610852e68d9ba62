umbrascope_add_test(NAME model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Cp1251Test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SessionStateTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EventListTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditHistoryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProjectFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MediaPathTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BuiltSessionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrackDescriptorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestFiles.cpp
  LIBRARIES umbrascope_model
  LABELS threads)
