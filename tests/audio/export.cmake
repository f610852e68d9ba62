umbrascope_add_test(NAME export_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/export_renderer_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_audio umbrascope_model)
