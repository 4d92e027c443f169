# `make package` (or cpack in any build folder): a Debian package of the
# installed layout. Included from the top-level CMakeLists.txt, where CPack
# must be set up.
set(CPACK_GENERATOR DEB)
# cpack installs what the build folder holds and builds nothing first: the
# package test runs while other tests run from the same folder, and
# `make package` builds the two programs it packs, not the whole suite.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_PACKAGE_NAME tesk-web-editor)
set(CPACK_PACKAGE_VENDOR "The Tesk Web Editor authors")
set(CPACK_PACKAGE_CONTACT "${TESK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package's name and version and the architecture dpkg reports:
# tesk-web-editor_1.0.0_amd64.deb.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for building small web sites by hand")
set(CPACK_PACKAGE_DESCRIPTION "\
Tesk Web Editor is a desktop editor for people who write the HTML of
their small web sites by hand. Each page has a source that is edited
with its tags in colour; saving it writes the finished page and shows
it in a live preview. Ctrl-key shortcuts, a button bar and stored tag
lists put tags in; tools write image and colour tags; a site can be
searched, checked for broken links, markup errors and spelling, and
published to a folder or an SFTP server.
.
The package also holds tesk-site, which checks, searches, renames and
publishes a site from the command line.")
# Libraries the programs link are found by dpkg-shlibdeps. What they use
# without linking it is named here: the page engine's helper process, the
# display and image-format plugins Qt loads, and a spelling dictionary (the
# checks speak English unless another is chosen).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6webenginecore6-bin, qt6-qpa-plugins, qt6-image-formats-plugins, hunspell-en-us | hunspell-dictionary")
# Arial, the editor's default font, is matched by Liberation Sans;
# ssh-agent and ssh-keygen help with publishing over SFTP.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "openssh-client")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# A package of the whole install, not one per install component.
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
