# The game's names on the desktop and in the package, read by the program, the desktop
# files and the package.
set(ZUBBO_APP_ID com.example.Zubbo)
set(ZUBBO_DESCRIPTION "A nice and stupid game to waste time.")
set(ZUBBO_HOMEPAGE https://www.example.com/zubbo)
set(ZUBBO_CONTACT "The Zubbo! developers <zubbo@example.com>")

# The install layout (cmake --install and the package). The program goes where the
# desktop's games go; the wave cues and the sound output module go into folders of the
# game's own, which the program finds relative to itself, so an install runs from any prefix.
set(CMAKE_INSTALL_BINDIR games CACHE PATH "Where the game's program is installed")
# A program's private modules go below the architecture's library folder under any prefix,
# as Debian has them; not in a folder of their own right below lib/, which is the shared
# libraries' and would have the package run ldconfig for nothing.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH
    "Where the game's sound output module is installed, in a folder zubbo")
endif()
include(GNUInstallDirs)
# Bound at start-up, as Debian hardens its programs.
add_link_options(-Wl,-z,relro,-z,now)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(ZUBBO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zubbo)
set(ZUBBO_MODULES_DIR ${CMAKE_INSTALL_LIBDIR}/zubbo)
# The same folders seen from the installed program, which finds them this way from any prefix.
foreach(place DATA MODULES)
  cmake_path(ABSOLUTE_PATH ZUBBO_${place}_DIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
    OUTPUT_VARIABLE full)
  file(RELATIVE_PATH ZUBBO_${place}_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR} ${full})
endforeach()
