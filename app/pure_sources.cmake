# Pure code of the application shell, built for Windows and natively.
target_sources(velloro_pure PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/accelerator_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_time_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/launch_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_text.cpp)
