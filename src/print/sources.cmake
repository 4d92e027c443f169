# Files of src/print (paths relative to src/).
# Pagination and page setup arithmetic: lines, pages, header and footer,
# margins, without a printer.
target_sources(tesk_logic PRIVATE
  print/pagination.h print/pagination.cpp
  print/page_setup.h print/page_setup.cpp
)
# The print engine and its windows.
target_sources(tesk_ui PRIVATE
  print/print_engine.h print/print_engine.cpp
  print/dialog_parts.h print/dialog_parts.cpp
  print/frm_Page_Count.h print/frm_Page_Count.cpp
  print/frm_Print_Preview.h print/frm_Print_Preview.cpp
  print/frm_Pg_Setup_Text.h print/frm_Pg_Setup_Text.cpp
  print/frm_Print_Plus.h print/frm_Print_Plus.cpp
)
