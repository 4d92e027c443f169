# Files of src/sitekit (paths relative to src/): the site as a whole, its
# links and their rewriting. No widgets here; the windows of site/ and the
# tesk-site command line share it.
target_sources(tesk_logic PRIVATE
  sitekit/html_parser.h sitekit/html_parser.cpp
  sitekit/matching_tag.h sitekit/matching_tag.cpp
  sitekit/urls.h sitekit/urls.cpp
  sitekit/site_model.h sitekit/site_model.cpp
  sitekit/link_check.h sitekit/link_check.cpp
  sitekit/link_rewrite.h sitekit/link_rewrite.cpp
  sitekit/external_links.h sitekit/external_links.cpp
  sitekit/page_check.h sitekit/page_check.cpp
  sitekit/spelling.h sitekit/spelling.cpp
  sitekit/site_checks.h sitekit/site_checks.cpp
  sitekit/site_search.h sitekit/site_search.cpp
  sitekit/publish_plan.h sitekit/publish_plan.cpp
  sitekit/publish_run.h sitekit/publish_run.cpp
  sitekit/publish_ftp.h sitekit/publish_ftp.cpp
)
# The HTML tokenizer, found as Debian installs it.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GUMBO REQUIRED IMPORTED_TARGET gumbo)
target_link_libraries(tesk_logic PRIVATE PkgConfig::GUMBO)
# HTML Tidy (the HTML5 one) and Hunspell check a page's markup and words.
pkg_check_modules(TIDY REQUIRED IMPORTED_TARGET tidy)
pkg_check_modules(HUNSPELL REQUIRED IMPORTED_TARGET hunspell)
target_link_libraries(tesk_logic PRIVATE PkgConfig::TIDY PkgConfig::HUNSPELL)
target_link_libraries(tesk_logic PUBLIC Qt6::Network)
# libcurl sends a site to its server (SFTP through libssh2).
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
target_link_libraries(tesk_logic PRIVATE PkgConfig::CURL)
