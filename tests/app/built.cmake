# Built sessions as a user meets them: the program builds one, the built file plays by itself.
find_package(Qt6 REQUIRED COMPONENTS Test)
umbrascope_add_test(NAME app_built_session
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BuiltSessionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtTestSupport.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_app Qt6::Test)
add_dependencies(app_built_session umbrascope)
