# Files of src/tags (paths relative to src/).
target_sources(tesk_ui PRIVATE
  tags/frm_Images.h tags/frm_Images.cpp
  tags/frm_Colors.h tags/frm_Colors.cpp
)
