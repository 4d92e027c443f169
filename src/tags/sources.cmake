# Files of src/tags (paths relative to src/).
target_sources(tesk_ui PRIVATE
  tags/frm_Images.h tags/frm_Images.cpp tags/image_panes.cpp tags/images_build.cpp
  tags/frm_Colors.h tags/frm_Colors.cpp tags/colors_build.cpp
  tags/color_widgets.h tags/color_widgets.cpp
  tags/list_messages.h tags/list_messages.cpp
  tags/frm_Tags.h tags/frm_Tags.cpp
)
target_sources(tesk_logic PRIVATE
  tags/tag_list_files.h tags/tag_list_files.cpp
  tags/tag_lists.h tags/tag_lists.cpp
  tags/image_tag.h tags/image_tag.cpp
  tags/image_folders.h tags/image_folders.cpp
  tags/image_picture.h tags/image_picture.cpp
  tags/palettes.h tags/palettes.cpp
  tags/color_tags.h tags/color_tags.cpp
  tags/modern_markup.h tags/modern_markup.cpp
  tags/color_settings_file.h tags/color_settings_file.cpp
)
