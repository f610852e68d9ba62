umbrascope_add_test(NAME replacingfile_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ReplacingFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReplacingFileKillTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_base umbrascope_model)

# The writer the kill test runs as a child and kills.
add_executable(replacingfile_child ${CMAKE_CURRENT_LIST_DIR}/RewriteChild.cpp)
target_link_libraries(replacingfile_child PRIVATE umbrascope_base)
add_dependencies(replacingfile_tests replacingfile_child)
target_compile_definitions(replacingfile_tests PRIVATE
  UMBRASCOPE_REWRITE_CHILD="$<TARGET_FILE:replacingfile_child>")
