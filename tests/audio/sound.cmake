# Generated sound: generators, the stream layer and the track threads.
umbrascope_add_test(NAME sound_tones_test SOURCES sound_tones_test.cpp
  LIBRARIES umbrascope_audio)
umbrascope_add_test(NAME sound_threads_test SOURCES sound_threads_test.cpp
  LIBRARIES umbrascope_audio LABELS threads)
# Its own program: SDL2 is pointed at a sound server that does not exist before it starts.
umbrascope_add_test(NAME sound_no_server_test SOURCES sound_no_server_test.cpp
  LIBRARIES umbrascope_audio LABELS threads)
# Plays through the private PulseAudio server that test.sh starts; skips without one.
umbrascope_add_test(NAME sound_device_test SOURCES sound_device_test.cpp files_test_support.cpp
  LIBRARIES umbrascope_audio LABELS threads)
# It records the server's monitor: other tests that play there must not run beside it.
set_tests_properties(sound_device_test PROPERTIES RESOURCE_LOCK sound_server)
# The live mix on the in-memory device, against the export and the tones' own formulas.
umbrascope_add_test(NAME sound_live_mix_test SOURCES sound_live_mix_test.cpp files_test_support.cpp
  LIBRARIES umbrascope_audio LABELS threads)
