# Files of src/options (paths relative to src/): the Options dialog.
target_sources(tesk_logic PRIVATE
  options/options_rules.h options/options_rules.cpp
)
target_sources(tesk_ui PRIVATE
  options/frm_Options.h options/frm_Options.cpp options/options_build.cpp options/options_widgets.h
)
