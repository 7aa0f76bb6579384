# `cpack -G DEB` in a Linux build folder makes chronodex_<version>_<arch>.deb: the program
# and its help document in /usr/lib/chronodex, the command on the PATH, the desktop entry and
# Dolphin's menu item, the icon, the AppStream description, the manual page, the copyright and
# the change log. Its dependencies are read off the program by dpkg-shlibdeps; lintian finds
# no error in it (.ci/run checks).
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_NAME chronodex)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON) # the program ships without its debugging symbols
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Chronodex developers <chronodex@example.org>")
# The package's one-line summary, then the lines under it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show and set the created, modified and accessed dates of files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Drag files onto the window (or open them with it from the file manager),\nlook at their three time stamps in local time, and write new ones to every\nticked file at once. Files that could not be written are named with the\nreason. Dates can also be moved by an amount, taken back, or set from the\ndate a photo was taken.")
# The warning sound of a message comes from the desktop's sound theme.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop, xdg-utils")
