# The environment of the tests under Wine, read from tools/test-environment.sh
# (shared with tools/wine/ and the end-to-end harness) into CMake variables of
# the same names, and the locales it names compiled into the build tree.

function(kelvarion_read_test_environment file)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(READ ${file} text)
  # One list item a line; a ";" inside a value (WINEDLLOVERRIDES) stays in it.
  string(REPLACE ";" "\\;" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([A-Z_][A-Z0-9_]*)='([^']*)'$")
      message(FATAL_ERROR "${file}: not NAME='value': ${line}")
    endif()
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}" PARENT_SCOPE)
  endforeach()
endfunction()

# Compiles each locale of KELVARION_LOCALES into KELVARION_TEST_LOCALES (the
# tests' LOCPATH): target kelvarion_test_locales. -c: write a locale even if
# its sources draw warnings.
function(kelvarion_compile_test_locales)
  find_program(KELVARION_LOCALEDEF localedef REQUIRED)
  set(compiled)
  foreach(locale IN LISTS KELVARION_LOCALES)
    string(REGEX MATCH "^[^.]+" language ${locale})
    string(REGEX MATCH "[^.]+$" charset ${locale})
    set(out ${KELVARION_TEST_LOCALES}/${locale})
    add_custom_command(OUTPUT ${out}/LC_CTYPE
      COMMAND ${CMAKE_COMMAND} -E make_directory ${KELVARION_TEST_LOCALES}
      COMMAND ${KELVARION_LOCALEDEF} -c -i ${language} -f ${charset} ${out}
              || test -f ${out}/LC_CTYPE
      COMMENT "Compiling the ${locale} locale for the Wine tests"
      VERBATIM)
    list(APPEND compiled ${out}/LC_CTYPE)
  endforeach()
  add_custom_target(kelvarion_test_locales ALL DEPENDS ${compiled})
endfunction()

# kelvarion_lang_environment(OUT LANG): the CTest ENVIRONMENT entries of a
# test under Wine that runs under LANG, with this build's Wine loader; the
# program sees LANG in KELVARION_TEST_LANG. A compiled locale comes with its
# LOCPATH.
function(kelvarion_lang_environment out lang)
  set(environment WINELOADER=${KELVARION_WINE_LOADER} LANG=${lang} LC_ALL=
      KELVARION_TEST_LANG=${lang})
  if(NOT lang STREQUAL KELVARION_DEFAULT_LANG)
    list(APPEND environment LOCPATH=${KELVARION_TEST_LOCALES})
  endif()
  set(${out} "${environment}" PARENT_SCOPE)
endfunction()

kelvarion_read_test_environment(${PROJECT_SOURCE_DIR}/tools/test-environment.sh)
# The loader of this build's programs, named in every Wine command of its
# tests (WINELOADER).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KELVARION_WINE_LOADER ${KELVARION_WINE_LOADER_64})
else()
  set(KELVARION_WINE_LOADER ${KELVARION_WINE_LOADER_32})
endif()
separate_arguments(KELVARION_LOCALES UNIX_COMMAND "${KELVARION_LOCALES}")
set(KELVARION_TEST_LOCALES ${CMAKE_BINARY_DIR}/${KELVARION_LOCALE_DIR})
kelvarion_compile_test_locales()
