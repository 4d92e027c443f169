# Files of src/platform (paths relative to src/).
target_sources(tesk_logic PRIVATE
  platform/file_system.h platform/file_system.cpp
  platform/file_append.h platform/file_append.cpp
  platform/keyring.h platform/keyring.cpp
  platform/text_encoding.h platform/text_encoding.cpp
  platform/end_signals.h platform/end_signals.cpp
  platform/data_file.h platform/data_file.cpp
  platform/vb_keys.h platform/vb_keys.cpp
  platform/palette.h platform/palette.cpp
  platform/rtf_reader.h platform/rtf_reader.cpp
  platform/rtf_writer.h platform/rtf_writer.cpp
  platform/screen.h platform/screen.cpp
  platform/text_positions.h platform/text_positions.cpp
  platform/rich_document.h platform/rich_document.cpp
)
target_sources(tesk_ui PRIVATE
  platform/dialogs.h platform/dialogs.cpp
  platform/rich_text_box.h platform/rich_text_box.cpp platform/rich_text_box_impl.h platform/rich_text_box_input.cpp
  platform/line_numbers.h platform/line_numbers.cpp
  platform/web_browser.h platform/web_browser.cpp
)
# Passwords the user asks to keep go to the desktop's keyring (libsecret).
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBSECRET REQUIRED IMPORTED_TARGET libsecret-1)
target_link_libraries(tesk_logic PRIVATE PkgConfig::LIBSECRET)
