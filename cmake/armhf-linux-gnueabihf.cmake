# Cross build for the device's processor, 32-bit ARM with hardware floating
# point, on Debian through multiarch (scripts/cross-armhf.sh installs it):
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/armhf-linux-gnueabihf.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
# Multiarch has no sysroot: the armhf libraries and Qt's CMake packages live in
# /usr/lib/arm-linux-gnueabihf, and Qt's moc, uic, rcc and lrelease are the
# build machine's own programs.
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
# ctest runs every test program through user-mode qemu.
find_program(MSP_QEMU_ARM qemu-arm)
if(MSP_QEMU_ARM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${MSP_QEMU_ARM})
endif()
