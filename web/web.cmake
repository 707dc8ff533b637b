# The browser build: the game as a web page and the level tool for node.
# CMakeLists.txt includes this file under Emscripten before it looks for its
# libraries. ZD_WEB_LIBS names the folder that scripts/web_libs.sh filled
# with SDL2, SDL2_mixer, zlib and libpng built for the browser (Emscripten's
# own ports would download their sources).
if(NOT ZD_WEB_LIBS OR NOT EXISTS ${ZD_WEB_LIBS}/lib/libSDL2.a)
  message(FATAL_ERROR "Set ZD_WEB_LIBS to the folder scripts/web_libs.sh prints")
endif()

set(SDL2_DIR ${ZD_WEB_LIBS}/lib/cmake/SDL2 CACHE PATH "SDL2 built for the browser" FORCE)
set(SDL2_mixer_DIR ${ZD_WEB_LIBS}/lib/cmake/SDL2_mixer CACHE PATH "SDL2_mixer built for the browser" FORCE)
set(ZLIB_INCLUDE_DIR ${ZD_WEB_LIBS}/include CACHE PATH "" FORCE)
set(ZLIB_LIBRARY ${ZD_WEB_LIBS}/lib/libz.a CACHE FILEPATH "" FORCE)
set(PNG_PNG_INCLUDE_DIR ${ZD_WEB_LIBS}/include CACHE PATH "" FORCE)
set(PNG_LIBRARY_RELEASE ${ZD_WEB_LIBS}/lib/libpng16.a CACHE FILEPATH "" FORCE)

# The static SDL2_mixer names its target differently; the game links the
# usual name.
find_package(SDL2_mixer REQUIRED CONFIG)
if(NOT TARGET SDL2_mixer::SDL2_mixer)
  add_library(SDL2_mixer::SDL2_mixer INTERFACE IMPORTED)
  target_link_libraries(SDL2_mixer::SDL2_mixer INTERFACE SDL2_mixer::SDL2_mixer-static)
endif()

# OpenGL is Emscripten's emulation of the fixed pipeline, linked in by the
# flags below; GLU has no library there (the drawing layer does without it).
add_library(OpenGL::GL INTERFACE IMPORTED)
add_library(OpenGL::GLU INTERFACE IMPORTED)
set(OPENGL_FOUND TRUE)

# The tests run on Linux; the browser is tested through the page itself.
set(ZD_TESTS OFF CACHE BOOL "Build the tests" FORCE)

set(ZD_WEB_DIR ${CMAKE_BINARY_DIR}/web CACHE INTERNAL "The web page's folder")
set(ZD_WEB_GL_FLAGS -sLEGACY_GL_EMULATION=1 -sALLOW_MEMORY_GROWTH=1)

# Runs once every target of the project exists.
function(zd_web_targets)
  # The page: the program, its data package, the page and its icon.
  set_target_properties(zindrop7 PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${ZD_WEB_DIR})
  # ASYNCIFY lets the game's blocking loops (menus, play, editor) pause for
  # the browser at every sleep and frame.
  target_link_options(zindrop7 PRIVATE ${ZD_WEB_GL_FLAGS}
    -sASYNCIFY -sFORCE_FILESYSTEM=1 -lidbfs.js
    # Without these two Mix_OpenAudio fails; the first resumes the page's
    # audio on the first key or click, as browsers allow.
    -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/web/library_functions.json
    --post-js ${CMAKE_SOURCE_DIR}/web/storage.js)
  set_property(TARGET zindrop7 APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_SOURCE_DIR}/web/storage.js ${CMAKE_SOURCE_DIR}/web/library_functions.json)

  # The game folder's files, preloaded by the page into /zindrop7-shipped
  # (the program merges them into the player's storage).
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_target(webdata ALL
    COMMAND ${Python3_EXECUTABLE} ${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py
            ${ZD_WEB_DIR}/zindrop7.data --preload ${ZD_GAME_DIR}@/zindrop7-shipped
            --js-output=${ZD_WEB_DIR}/zindrop7-data.js
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/shell.html ${ZD_WEB_DIR}/index.html
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/zindrop7.png ${ZD_WEB_DIR}/zindrop7.png
    # The page of the level packs opens in a tab of its own, from the site.
    COMMAND sh -c "cp '${ZD_GAME_DIR}'/*.html '${ZD_WEB_DIR}/'"
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZD_GAME_DIR}/levelmaps ${ZD_WEB_DIR}/levelmaps
    WORKING_DIRECTORY ${ZD_WEB_DIR}
    COMMENT "Packing the game folder for the web page")
  add_dependencies(webdata gamedata levels levelpages)
  add_dependencies(zindrop7 webdata)

  # The level tool runs under node with the real file system, so it plays
  # and builds levels on the files of this machine.
  if(TARGET zdltool)
    target_link_options(zdltool PRIVATE ${ZD_WEB_GL_FLAGS} -sNODERAWFS=1 -sEXIT_RUNTIME=1)
  endif()
endfunction()
file(MAKE_DIRECTORY ${ZD_WEB_DIR})
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zd_web_targets)
