umbrascope_add_test(NAME export_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/export_renderer_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/model/TestFiles.cpp
  LIBRARIES umbrascope_audio umbrascope_model LABELS threads)

# The export of WAV and MP3 tracks, against the fixture files and mpg123's own decoding.
umbrascope_add_test(NAME export_media_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/export_media_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/files_test_support.cpp
  LIBRARIES umbrascope_audio umbrascope_model)

# The measured quality of an exported tone: frequency, level, spectrum, first frames.
umbrascope_add_test(NAME export_quality_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/export_quality_test.cpp
  LIBRARIES umbrascope_audio umbrascope_model)

# The export's rounding and dither, sample by sample.
umbrascope_add_test(NAME export_mix_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/export_mix_test.cpp
  LIBRARIES umbrascope_audio)
