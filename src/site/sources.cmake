# Files of src/site (paths relative to src/).
target_sources(tesk_logic PRIVATE
  site/folder_list.h site/folder_list.cpp
)
target_sources(tesk_ui PRIVATE
  site/frm_Working_Folder.h site/frm_Working_Folder.cpp
)
