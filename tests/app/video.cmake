# --export-video, checked with ffprobe and ffmpeg (Debian's ffmpeg package). Its drawing thread
# hands frames to the encoder, so the race detector runs it too.
umbrascope_add_test(NAME export_video_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CliExportVideoTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_model
  LABELS threads)
add_dependencies(export_video_tests umbrascope)
