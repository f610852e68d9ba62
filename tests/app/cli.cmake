umbrascope_add_test(NAME cli_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CliTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CliExportTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_app)
add_dependencies(cli_tests umbrascope)

umbrascope_add_test(NAME export_golden
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ExportGoldenTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_app)
add_dependencies(export_golden umbrascope)
