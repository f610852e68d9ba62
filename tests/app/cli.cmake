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

# The sound server stops during a sound-only play and comes back. The script starts a private
# PulseAudio server of its own (skipped without pulseaudio, parec and sox).
add_test(NAME app_sound_server_restart
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/sound-server-restart.sh $<TARGET_FILE:umbrascope>)
set_tests_properties(app_sound_server_restart PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60)
