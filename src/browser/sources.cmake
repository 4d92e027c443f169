# Files of src/browser (paths relative to src/).
target_sources(tesk_ui PRIVATE
  browser/frm_Browser.h browser/frm_Browser.cpp
)
target_sources(tesk_logic PRIVATE
  browser/browser_rules.h browser/browser_rules.cpp
)
