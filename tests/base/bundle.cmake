umbrascope_add_test(NAME bundle_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BundleTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_base umbrascope_model)
