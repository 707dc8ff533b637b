# Shared by run.sh and test.sh: the packages the game builds with.
BUILD_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libsdl2-mixer-dev zlib1g-dev libpng-dev
                libgl-dev libglu1-mesa-dev libgl1-mesa-dri)
