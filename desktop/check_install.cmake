# Installs the build into a fresh prefix and checks the file list against what
# a desktop expects. Run by ctest: cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result})")
endif()
set(expected
  bin/zelvo
  share/applications/cn.zelvo.WebEditor.desktop
  share/icons/hicolor/scalable/apps/cn.zelvo.WebEditor.svg
  share/icons/hicolor/48x48/apps/cn.zelvo.WebEditor.png
  share/icons/hicolor/256x256/apps/cn.zelvo.WebEditor.png
  share/metainfo/cn.zelvo.WebEditor.metainfo.xml
  share/man/man1/zelvo.1)
file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed files differ\n  installed: ${installed}\n  expected:  ${expected}")
endif()
# The PNGs are real pictures of their sizes.
foreach(size 48 256)
  file(READ "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/cn.zelvo.WebEditor.png" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 16 dims)
  if(NOT header MATCHES "^89504e47")
    message(FATAL_ERROR "the ${size} pixel icon is not a PNG")
  endif()
  string(SUBSTRING "${dims}" 0 8 w)
  math(EXPR w_dec "0x${w}")
  if(NOT w_dec EQUAL size)
    message(FATAL_ERROR "the ${size} pixel icon is ${w_dec} pixels wide")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
