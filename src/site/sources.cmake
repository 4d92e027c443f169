# Files of src/site (paths relative to src/).
target_sources(tesk_logic PRIVATE
  site/folder_list.h site/folder_list.cpp
  site/site_layout.h site/site_layout.cpp
)
target_sources(tesk_ui PRIVATE
  site/folder_controls.h site/folder_controls.cpp
  site/frm_Working_Folder.h site/frm_Working_Folder.cpp
  site/frm_Folder.h site/frm_Folder.cpp
)
