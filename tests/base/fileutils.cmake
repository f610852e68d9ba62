umbrascope_add_test(NAME fileutils_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FileUtilsTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_base umbrascope_model
  LABELS threads)
