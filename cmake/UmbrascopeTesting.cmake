# umbrascope_add_test(NAME name SOURCES ... LIBRARIES ... [LABELS ...])
# One GoogleTest program registered as one CTest test. Every test runs without a display.
# Label "threads" marks the tests that the ThreadSanitizer build runs.
function(umbrascope_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;UMBRASCOPE_SOURCE_DIR=${PROJECT_SOURCE_DIR};UMBRASCOPE_BUILD_DIR=${PROJECT_BINARY_DIR}"
    LABELS "${T_LABELS}"
    TIMEOUT 600)
endfunction()
