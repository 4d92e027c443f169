# Files of src/source (paths relative to src/).
target_sources(tesk_ui PRIVATE
  source/frm_Source.h source/frm_Source.cpp
)
# Tag bars and button bar of the editor.
target_sources(tesk_logic PRIVATE
  source/tag_insertion.h source/tag_insertion.cpp
)
target_sources(tesk_ui PRIVATE
  source/button_bar.h source/button_bar.cpp
  source/tag_bars.h source/tag_bars.cpp
)
