# The generator's platform-independent sources, relative to assets/. Shared by
# the library that both presets build and test, and by the host build that
# the cross build runs at build time.
set(TIMER_ASSETS_SOURCES
  alarm_sound.cpp
  byte_block.cpp
  canvas.cpp
  chime.cpp
  clock_face.cpp
  icon_file.cpp
  timer_icon.cpp
  wave_file.cpp)
