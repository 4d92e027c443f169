# Files of src/core (paths relative to src/): the program's shared state and
# the logic every window relies on. No widgets here.
target_sources(tesk_logic PRIVATE
  core/shared_state.h core/shared_state.cpp
  core/settings_file.h core/settings_file.cpp
  core/more_settings.h core/more_settings.cpp
  core/last_page.h core/last_page.cpp
  core/measure.h core/measure.cpp
  core/window_arrangement.h core/window_arrangement.cpp
  core/site_layout.h core/site_layout.cpp
  core/main_window_port.h core/main_window_port.cpp
  core/installation.h core/installation.cpp
)
# Where an installed program finds its data folder, from its executable's.
set_source_files_properties(core/installation.cpp PROPERTIES
  COMPILE_DEFINITIONS "TESK_INSTALLED_DATA_FROM_BIN=\"${TESK_DATA_FROM_BIN}\"")
# The version --version prints comes from the project's own.
target_sources(tesk_logic PRIVATE core/command_line.h core/command_line.cpp)
set_source_files_properties(core/command_line.cpp PROPERTIES
  COMPILE_DEFINITIONS "TESK_VERSION=\"${PROJECT_VERSION}\"")
