# The Windows build's own parts, included by the top CMakeLists.txt when
# cross-building with cmake/mingw-w64.cmake.

# SHGetFolderPathA lives in shell32.
target_link_libraries(zdgame PUBLIC shell32)
# Windows' own GL/gl.h stops at OpenGL 1.1; the drivers take the 1.2 edge
# clamp the textures use.
target_compile_definitions(zdgame PUBLIC GL_CLAMP_TO_EDGE=0x812F)

# The game is a window program (no console window beside it); its icon and
# version come from a resource script. The icon is the game's PNG icon in an
# .ico container.
set_target_properties(zindrop7 PROPERTIES WIN32_EXECUTABLE ON)
set(ZD_ICON ${CMAKE_BINARY_DIR}/zindrop7.ico)
add_custom_command(OUTPUT ${ZD_ICON}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/cmake/png_to_ico.py ${CMAKE_SOURCE_DIR}/data/zindrop7.png ${ZD_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/png_to_ico.py ${CMAKE_SOURCE_DIR}/data/zindrop7.png)
set(ZD_VERSION "1.0.0" CACHE STRING "The version written into the Windows programs and installer")
string(REPLACE "." "," ZD_VERSION_COMMAS "${ZD_VERSION},0")
configure_file(${CMAKE_SOURCE_DIR}/cmake/zindrop7.rc.in ${CMAKE_BINARY_DIR}/zindrop7.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/zindrop7.rc PROPERTIES OBJECT_DEPENDS ${ZD_ICON})
target_sources(zindrop7 PRIVATE ${CMAKE_BINARY_DIR}/zindrop7.rc)

# SDL2.dll and SDL2_mixer.dll beside every program that needs them: the game
# folder, the level tool and the tests.
set(ZD_DLL_FOLDERS ${ZD_GAME_DIR} ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/tests)
set(ZD_DLL_COMMANDS)
foreach(folder ${ZD_DLL_FOLDERS})
  list(APPEND ZD_DLL_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:SDL2::SDL2>
            $<TARGET_FILE:SDL2_mixer::SDL2_mixer> ${folder})
endforeach()
add_custom_target(windowsdlls ALL ${ZD_DLL_COMMANDS} COMMENT "Copying the SDL DLLs beside the programs")
foreach(target zindrop7 zdltool zdtests)
  if(TARGET ${target})
    add_dependencies(${target} windowsdlls)
  endif()
endforeach()

if(TARGET zdtests)
  # POSIX calls the tests use, in their Windows form.
  target_compile_options(zdtests PRIVATE -include ${CMAKE_SOURCE_DIR}/tests/support/windows_compat.h)
endif()
