# Shared by the Windows scripts: the Debian packages the Windows version is
# built and tested with, and the cache outside the checkout.
WINDOWS_PACKAGES=(mingw-w64 g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 wine nsis zip dpkg-dev
                  cmake libsdl2-dev libsdl2-mixer-dev libpng-dev googletest xvfb xauth xdotool)
ZD_CACHE=${ZD_CACHE:-$HOME/.cache/zindrop7}
