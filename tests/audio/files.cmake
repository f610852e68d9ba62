# WAV and MP3 file tracks. The WAV and MP3 files are made at test time by
# tests/fixtures/make-sound-fixtures.sh (sox, lame, twolame, mpg123).
umbrascope_add_test(NAME files_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/files_test_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/files_wav_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/files_mp3_test.cpp
  LIBRARIES umbrascope_audio)
