# Debian packages, one per group of install components:
#   msp-zetavx-dvbs2-plugin  the plug-in and its translations: what goes onto a device
#   msp-zetavx-dvbs2-tools   the substitute host, the module emulator and the contract headers
# Build them with `cpack` in the build folder (or scripts/cross-armhf.sh --package).

set(MSP_PACKAGE_CONTACT "Zeta-VX plug-in maintainers <msp@localhost>"
    CACHE STRING "Maintainer field of the Debian packages")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME msp-zetavx-dvbs2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${MSP_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL plugin tools devel)
set(CPACK_COMPONENT_PLUGIN_GROUP plugin)
set(CPACK_COMPONENT_TOOLS_GROUP tools)
set(CPACK_COMPONENT_DEVEL_GROUP tools)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg reports the build machine's architecture; a cross build packages for its target.
if(CMAKE_LIBRARY_ARCHITECTURE STREQUAL "arm-linux-gnueabihf")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE armhf)
endif()

set(CPACK_DEBIAN_PLUGIN_DESCRIPTION
    "Zeta-VX IF Processor DVBS/S2 configuration plug-in
Module plug-in for the headend's configuration host: reads, edits, sends and
stores the configuration of a Zeta-VX IF Processor DVBS/S2 module. Installs
the plug-in library and its translations.")
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "Substitute host and module emulator for the Zeta-VX plug-in
msp-host runs a module plug-in on a 320 x 240 screen, linked to an emulated,
TCP or serial module; zetavx-emu emulates the module on TCP or a
pseudo-terminal. Also carries the plug-in contract headers.")
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "msp-zetavx-dvbs2-plugin (= ${PROJECT_VERSION})")

include(CPack)
