# The release, Windows build only:
#
#   cmake --build --preset windows --target package
#
# makes build/windows/Kelvarion_Post_Installation_setup-<version>-win32.zip
# (the version of project(... VERSION)), whose folder of that name holds the
# two programs, SHA256SUMS.txt for them (sha256sum's format) and README.txt
# (release/README.txt).
#
# Signing: when the environment of the build names the vendor's certificate
# (absolute paths: the build runs in the build folder),
#   KELVARION_SIGN_PFX            a PKCS#12 file with the certificate and key
#   KELVARION_SIGN_PASSWORD_FILE  a file whose first line is its password
#   KELVARION_SIGN_TIMESTAMP_URL  (optional) an RFC 3161 time-stamp server
# copies of the programs are signed with osslsigncode (Authenticode: SHA-1,
# which Windows XP and Vista check, and a nested SHA-256 signature, each
# time-stamped when a server is named; description "Kelvarion
# post-installation setup") before they are zipped
# and summed; the programs in the build folder stay unsigned. Without
# KELVARION_SIGN_PFX the zip holds the unsigned programs, and the build says
# so in one line.
#
# Reproducible: the entries stand in a fixed order with fixed times (the time
# of the commit, or SOURCE_DATE_EPOCH when set) and fixed attributes, so the
# unsigned zip of a commit is the same bytes from any folder on any day.
# KELVARION_PACKAGE_DIR puts the zip in another folder than the build folder.
#
# The work is done by cmake/release_package.py each time the target is built.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(KELVARION_PACKAGE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
set(KELVARION_RELEASE_PROGRAMS
    Kelvarion_Post_Installation_setup Kelvarion_Post_Installation_setup_legacy)

set(release_arguments)
foreach(program IN LISTS KELVARION_RELEASE_PROGRAMS)
  list(APPEND release_arguments --program $<TARGET_FILE:${program}>)
endforeach()

# A build folder configured while CPack made the zip still holds CPack's
# files, and CMake reserves the target name "package" while they are there.
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)
add_custom_target(package
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/release_package.py
          --name ${KELVARION_PACKAGE_NAME}
          --output-dir ${CMAKE_BINARY_DIR}
          --source-dir ${PROJECT_SOURCE_DIR}
          ${release_arguments}
          --text ${PROJECT_SOURCE_DIR}/release/README.txt
  COMMENT "Packing ${KELVARION_PACKAGE_NAME}.zip"
  VERBATIM USES_TERMINAL)
add_dependencies(package ${KELVARION_RELEASE_PROGRAMS})

# `cmake --install` lays down the same files, unsigned and without the sums.
install(TARGETS ${KELVARION_RELEASE_PROGRAMS} RUNTIME DESTINATION .)
install(FILES release/README.txt DESTINATION .)
