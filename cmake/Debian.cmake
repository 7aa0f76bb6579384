# `cpack -G DEB` in a Linux build folder makes chronodex_<version>_<arch>.deb: the program
# and its help document in /usr/lib/chronodex, the command on the PATH, the desktop entry,
# the icon and the manual page. Its dependencies are read off the program by dpkg-shlibdeps.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_NAME chronodex)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Chronodex developers <chronodex@example.org>")
# The package's one-line summary, then the lines under it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show and set the created, modified and accessed dates of files")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Drag files onto the window (or name them on the command line), look at their three\ntime stamps in local time, and write new ones to every ticked file at once. Files\nthat could not be written are named with the reason. Dates can also be moved by an\namount, taken back, or set from the date a photo was taken.")
# The warning sound of a message comes from the desktop's sound theme.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop, xdg-utils")
