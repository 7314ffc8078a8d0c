# The libraries that need no platform beyond the C++ library: the replay of
# event scripts over a headless platform, the POSIX file operations, and the
# reader of the replay's marks. The tools, the unit tests and the fuzz
# targets link the same ones.
add_library(scrivlet_replay_script STATIC tools/replay/replay_script.cpp tools/replay/headless_platform.cpp)
target_link_libraries(scrivlet_replay_script PUBLIC scrivlet_core)
target_compile_options(scrivlet_replay_script PRIVATE -Wall -Wextra)

# The native program writes its files through it; so do the unit tests and
# the tools, whatever else is installed.
add_library(scrivlet_posix_files STATIC gtk/file_ops_posix.cpp)
target_link_libraries(scrivlet_posix_files PUBLIC scrivlet_core)
target_compile_options(scrivlet_posix_files PRIVATE -Wall -Wextra)

# scrivlet-replay's mark lines read back, for the two renderers.
add_library(scrivlet_marks STATIC tools/render/marks.cpp)
target_link_libraries(scrivlet_marks PUBLIC scrivlet_core)
target_compile_options(scrivlet_marks PRIVATE -Wall -Wextra)
