# The Windows program, gaiablade.exe: the engine, the game and the app built against the
# system's own headers and libraries (DirectDraw, DirectSound, DirectMusic, the multimedia and
# window services, GDI), with no stand-in and no host compiled in. Of the platform layer only
# the two services that are plain standard C++ come along: reporting and the song reader.
#
# src/platform/system_headers comes first on the include path: its platform/standins/*.h stand
# in for our stand-ins and include the system's headers.
#
# GAIABLADE_DATA_PACK names the data pack to ship beside the program (the Linux build's data
# folder, made by gaiablade-datagen); the build then also writes gaiablade-VERSION-windows.zip.
set(GAIABLADE_DATA_PACK "" CACHE PATH "The data pack (a Linux build's data folder) for the zip")

# The data folder is found beside the program; the build's own folders mean nothing on the
# machine the program runs on.
set(GAIABLADE_BUILD_DATA_DIR "data")
set(GAIABLADE_INSTALL_DATA_DIR "data")
configure_file(src/build_paths.h.in ${CMAKE_BINARY_DIR}/generated/build_paths.h @ONLY)

set(windows_includes ${CMAKE_SOURCE_DIR}/src/platform/system_headers ${CMAKE_SOURCE_DIR}/src
  ${CMAKE_BINARY_DIR}/generated)
set(windows_libraries ddraw dsound dxguid ole32 winmm gdi32 user32)

add_executable(gaiablade WIN32
  ${GAIABLADE_ENGINE_SOURCES} ${GAIABLADE_GAME_SOURCES} ${GAIABLADE_APP_SOURCES}
  src/app/main_windows.cpp
  src/platform/sound/midi_file.cpp
  src/platform/report/report.cpp)
target_include_directories(gaiablade PRIVATE ${windows_includes})
# Everything of the compiler's own (C++ library, threads) is linked in: the program needs no
# library beyond those of the system. Its symbols are left out (-s).
target_link_options(gaiablade PRIVATE -static -s)
target_link_libraries(gaiablade PRIVATE ${windows_libraries})

# The constants and ids of the system headers that our stand-ins define, printed for the test
# that compares them with ours (a console program).
include(cmake/platform_constants.cmake)
gaiablade_platform_constants(${CMAKE_BINARY_DIR}/generated/platform_constants.cpp)
add_executable(platform-constants ${CMAKE_BINARY_DIR}/generated/platform_constants.cpp)
target_include_directories(platform-constants PRIVATE ${windows_includes})
target_link_options(platform-constants PRIVATE -static)
target_link_libraries(platform-constants PRIVATE ${windows_libraries})

# Only the system's own libraries may be imported.
add_custom_command(TARGET gaiablade POST_BUILD
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/windows-imports.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:gaiablade>
  VERBATIM)

# gaiablade-VERSION-windows.zip: the program, the data pack beside it, a short text on
# running it, the game's licence and the copyright file of the runtime linked into the program.
set(GAIABLADE_RUNTIME_COPYRIGHT /usr/share/doc/mingw-w64-common/copyright CACHE FILEPATH
  "The copyright file of the cross-compiler's runtime (winpthreads and the start-up code)")
if(GAIABLADE_DATA_PACK)
  set(zip ${CMAKE_BINARY_DIR}/gaiablade-${PROJECT_VERSION}-windows.zip)
  configure_file(dist/windows/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY)
  add_custom_target(windows-zip ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip ${zip}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/zip/gaiablade
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:gaiablade> ${CMAKE_BINARY_DIR}/zip/gaiablade/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/zip/gaiablade/README.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/zip/gaiablade/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${GAIABLADE_RUNTIME_COPYRIGHT}
      ${CMAKE_BINARY_DIR}/zip/gaiablade/mingw-w64-runtime.copyright.txt
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${GAIABLADE_DATA_PACK} ${CMAKE_BINARY_DIR}/zip/gaiablade/data
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip zip -q -r -X ${zip} gaiablade
    DEPENDS gaiablade
    COMMENT "Packing gaiablade-${PROJECT_VERSION}-windows.zip"
    VERBATIM)
endif()
