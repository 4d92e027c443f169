# Files of src/help (paths relative to src/): the help window and the about box.
target_sources(tesk_ui PRIVATE
  help/frm_Help.h help/frm_Help.cpp
  help/frm_About.h help/frm_About.cpp
)
