# Files of src/site (paths relative to src/).
target_sources(tesk_logic PRIVATE
  site/folder_list.h site/folder_list.cpp
  site/page_pairs.h site/page_pairs.cpp
  site/copy_plan.h site/copy_plan.cpp
)
target_sources(tesk_ui PRIVATE
  site/frm_Working_Folder.h site/frm_Working_Folder.cpp
  site/frm_Copy.h site/frm_Copy.cpp
  site/frm_Verify.h site/frm_Verify.cpp
  site/page_dialog.h site/page_dialog.cpp
  site/frm_Delete.h site/frm_Delete.cpp
  site/frm_Rename.h site/frm_Rename.cpp
  site/frm_Site_Results.h site/frm_Site_Results.cpp
  site/frm_Find_Site.h site/frm_Find_Site.cpp
  site/frm_Publish.h site/frm_Publish.cpp
)
