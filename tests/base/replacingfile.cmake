umbrascope_add_test(NAME replacingfile_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ReplacingFileTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_base umbrascope_model)
