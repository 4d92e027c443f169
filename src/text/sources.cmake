# Files of src/text (paths relative to src/).
target_sources(tesk_logic PRIVATE
  text/color_coding.h text/color_coding.cpp
  text/key_conversion.h text/key_conversion.cpp
)
