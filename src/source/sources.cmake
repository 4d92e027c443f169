# Files of src/source (paths relative to src/).
# The editor window, its documents, their names and new pages.
target_sources(tesk_logic PRIVATE
  source/source_document.h source/source_document.cpp
  source/new_page.h source/new_page.cpp
)
target_sources(tesk_ui PRIVATE
  source/frm_Source.h source/frm_Source.cpp
  source/document_commands.cpp source/source_keys.cpp
  source/reopen_page.cpp
  source/name_dialog.h source/name_dialog.cpp
  source/frm_Source_Open.h source/frm_Source_Open.cpp
  source/frm_Source_Save_As.h source/frm_Source_Save_As.cpp
  source/frm_Ref_Open.h source/frm_Ref_Open.cpp
)
# Tag bars and button bar of the editor.
target_sources(tesk_logic PRIVATE
  source/tag_insertion.h source/tag_insertion.cpp
  source/closing_tags.h source/closing_tags.cpp
  source/completion.h source/completion.cpp
)
target_sources(tesk_ui PRIVATE
  source/button_bar.h source/button_bar.cpp
  source/tag_bars.h source/tag_bars.cpp
  source/text_commands.h source/text_commands.cpp
  source/live_coloring.h source/live_coloring.cpp
  source/matching_tag_marks.h source/matching_tag_marks.cpp
  source/spelling_marks.h source/spelling_marks.cpp
  source/editor_assist.h source/editor_assist.cpp
)
# Search and replace.
target_sources(tesk_logic PRIVATE
  source/search.h source/search.cpp
)
target_sources(tesk_ui PRIVATE
  source/frm_Find.h source/frm_Find.cpp
)
