# Manual pages for the installed programs, written by help2man from their own --help, so that a
# page never describes options the program does not have. Name and version are given rather than
# read from --version, which prints the desktop program's display name. help2man is a required
# tool: a build without it would install programs without pages and quietly make a package that
# lacks them.
find_program(VK_HELP2MAN help2man)
if(NOT VK_HELP2MAN)
  message(FATAL_ERROR
    "help2man is needed to write the manual pages of the installed programs. On Debian install: "
    "help2man (or run tools/install-deps.sh).")
endif()
find_program(VK_GZIP gzip REQUIRED)

# vk_man_page(TARGET SUMMARY): writes TARGET.1.gz from the built program at build time and
# installs it into share/man/man1. SUMMARY is the one line of the page's NAME section.
function(vk_man_page exe summary)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${exe}.1)
  # The desktop program answers --help before it opens a window, but Qt wants a platform even
  # so: a build machine has no display.
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
            ${VK_HELP2MAN} --no-info --section=1 --name=${summary}
            "--version-string=${exe} ${PROJECT_VERSION}" --output=${page} $<TARGET_FILE:${exe}>
    COMMAND ${VK_GZIP} -9nf ${page}
    DEPENDS ${exe}
    COMMENT "Writing the manual page of ${exe}"
    VERBATIM)
  add_custom_target(${exe}_man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION share/man/man1)
endfunction()
