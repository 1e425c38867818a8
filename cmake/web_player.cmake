# The web player, built beside the desktop game when Emscripten is installed: a nested build of
# this project with emcmake (the rules library and platform/web only) makes luxarim.js and
# luxarim.wasm in web/wasm/, and the web_site tool writes the static site of the bundled story
# to web/site/ (the page from web/, the module, dat/, the font cut down to the story's characters
# and its licence).
option(GAME_WEB "Build the web player and its site when Emscripten is installed" ON)
set(GAME_WEB_PAGE_DIR "${CMAKE_SOURCE_DIR}/web" CACHE PATH "The web player's page (index.html ...)")
set(GAME_WEB_FONT "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf" CACHE FILEPATH
    "The face the site's font is cut from (IPA P Gothic)")
set(GAME_WEB_FONT_LICENCE "/usr/share/doc/fonts-ipafont-gothic/copyright" CACHE FILEPATH
    "The face's licence (a Debian copyright file or the plain text)")
find_program(GAME_EMCMAKE emcmake)
find_program(GAME_HB_SUBSET hb-subset)

if(NOT GAME_WEB)
  return()
endif()
if(NOT GAME_EMCMAKE)
  message(STATUS "Web player: emcmake not found (package emscripten), not built")
  return()
endif()

# Debian's Emscripten runs its optimiser with the system's Node, which finds its modules here.
set(web_env ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(web_wasm_dir ${CMAKE_BINARY_DIR}/web/wasm)
set(web_launcher)
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(web_launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
include(ExternalProject)
ExternalProject_Add(web_module
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${web_wasm_dir}
  CONFIGURE_COMMAND ${web_env} ${GAME_EMCMAKE} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR>
                    -DCMAKE_BUILD_TYPE=Release ${web_launcher}
  BUILD_COMMAND ${web_env} ${CMAKE_COMMAND} --build <BINARY_DIR>
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${web_wasm_dir}/luxarim.js ${web_wasm_dir}/luxarim.wasm
  USES_TERMINAL_BUILD ON)

if(NOT EXISTS ${GAME_WEB_PAGE_DIR}/index.html OR NOT GAME_HB_SUBSET OR NOT EXISTS ${GAME_WEB_FONT})
  message(STATUS "Web player: the page (${GAME_WEB_PAGE_DIR}), hb-subset or the font is "
                 "missing: the module is built, the site is not")
  return()
endif()

set(web_module_dir ${CMAKE_BINARY_DIR}/web/module)
set(web_site_dir ${CMAKE_BINARY_DIR}/web/site)
add_custom_target(web_player_site ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${web_module_dir}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${web_wasm_dir}/luxarim.js
          ${web_wasm_dir}/luxarim.wasm ${web_module_dir}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${web_site_dir}
  COMMAND $<TARGET_FILE:web_site> ${CMAKE_SOURCE_DIR}/dat ${web_site_dir}
          --player ${GAME_WEB_PAGE_DIR} --player ${web_module_dir}
          --font ${GAME_WEB_FONT} --licence ${GAME_WEB_FONT_LICENCE}
  DEPENDS web_module web_site
  COMMENT "Writing the web site of the bundled story to ${web_site_dir}"
  VERBATIM)
