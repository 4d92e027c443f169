# Files of src/print (paths relative to src/).
# Pagination and page setup arithmetic: lines, pages, header and footer,
# margins, without a printer.
target_sources(tesk_logic PRIVATE
  print/pagination.h print/pagination.cpp
  print/page_setup.h print/page_setup.cpp
)
