# Installs the build into a fresh prefix, asks the installed program for its
# version, then starts it with a page and reads back what its design view holds.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result})")
endif()
execute_process(COMMAND "${PREFIX}/bin/zelvo" --version OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version MATCHES "^Zelvo网页编辑器 [0-9]+\\.[0-9]+")
  message(FATAL_ERROR "zelvo --version said: ${version} (${result})")
endif()
set(report "${PREFIX}/page.txt")
set(ENV{ZELVO_REPORT_PAGE_TO} "${report}")
set(ENV{TMPDIR} "${PREFIX}")
# A state folder of its own: a recovery copy the user's editor left would
# hold the program at its question.
set(ENV{XDG_DATA_HOME} "${PREFIX}/data")
execute_process(COMMAND "${PREFIX}/bin/zelvo" "${PAGE}" RESULT_VARIABLE result TIMEOUT 240)
if(NOT result EQUAL 0 OR NOT EXISTS "${report}")
  message(FATAL_ERROR "the installed program did not report its page (${result})")
endif()
file(READ "${report}" page)
if(NOT page MATCHES "从命令行打开的网页")
  message(FATAL_ERROR "the installed program shows another page:\n${page}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
