# Files of src/ui (paths relative to src/): what every window builds on, below
# the windows themselves: the tool-window base, the window registry, the
# dialog manner and keyboard movers, and the folder controls and folder
# picker that several windows share.
target_sources(tesk_ui PRIVATE
  ui/tool_window.h ui/tool_window.cpp
  ui/forms.h ui/forms.cpp
  ui/window_manner.h ui/window_manner.cpp
  ui/folder_controls.h ui/folder_controls.cpp
  ui/flow_rows.h ui/flow_rows.cpp
  ui/frm_Folder.h ui/frm_Folder.cpp
  ui/folder_picker.h ui/folder_picker.cpp
  ui/link_updates.h ui/link_updates.cpp
)
