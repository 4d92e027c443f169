# Files of src/core (paths relative to src/).
target_sources(tesk_logic PRIVATE
  core/shared_state.h core/shared_state.cpp
  core/settings_file.h core/settings_file.cpp
  core/measure.h core/measure.cpp
  core/window_arrangement.h core/window_arrangement.cpp
)
target_sources(tesk_ui PRIVATE
  core/startup.h core/startup.cpp
  core/forms.h core/forms.cpp
  core/tool_window.h core/tool_window.cpp
  core/arrange.h core/arrange.cpp
  core/frm_Start.h core/frm_Start.cpp
  core/program_icon.h core/program_icon.cpp
)
