# Files of src/source (paths relative to src/).
target_sources(tesk_ui PRIVATE
  source/frm_Source.h source/frm_Source.cpp
)
