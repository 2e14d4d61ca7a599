# What `cmake --install` puts in place: the headers, the static libraries with a CMake
# package (find_package(Ostrel) gives the Ostrel:: targets), a pkg-config file, the tools;
# CPack makes a Debian package of the same files.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(OSTREL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/ostrel)
set(OSTREL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Ostrel)
set(OSTREL_LIBRARIES ostrel_design host_design ostrel_components host_vcl host_qt host_rtl)

# host_vcl and host_qt need each other: static libraries carry that (and Qt, which
# host_qt links privately) to the program that links them, so the export names them all.
install(TARGETS ${OSTREL_LIBRARIES} EXPORT OstrelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${OSTREL_INSTALL_INCLUDEDIR})
file(GLOB OSTREL_HOST_HEADERS ${CMAKE_SOURCE_DIR}/host/*.h)
file(GLOB OSTREL_DESIGN_HEADERS ${CMAKE_SOURCE_DIR}/design/*.h)
install(FILES ${OSTREL_HOST_HEADERS} ${OSTREL_DESIGN_HEADERS}
              ${CMAKE_SOURCE_DIR}/components/Ostrel.h
              ${CMAKE_SOURCE_DIR}/components/OstrelButtonsBar.h
              ${CMAKE_SOURCE_DIR}/components/OstrelCardLayout.h
              ${CMAKE_SOURCE_DIR}/components/OstrelCardSelection.h
              ${CMAKE_SOURCE_DIR}/components/OstrelCardStore.h
              ${CMAKE_SOURCE_DIR}/components/OstrelColumns.h
              ${CMAKE_SOURCE_DIR}/components/OstrelDividerDrag.h
              ${CMAKE_SOURCE_DIR}/components/OstrelItems.h
              ${CMAKE_SOURCE_DIR}/components/OstrelSlides.h
              ${CMAKE_SOURCE_DIR}/components/OstrelTypeAhead.h
  DESTINATION ${OSTREL_INSTALL_INCLUDEDIR})
install(TARGETS ostrel-cards ostrel-demo ostrel-designer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT OstrelTargets NAMESPACE Ostrel:: DESTINATION ${OSTREL_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/OstrelConfig.cmake.in
  ${CMAKE_BINARY_DIR}/OstrelConfig.cmake INSTALL_DESTINATION ${OSTREL_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/OstrelConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/OstrelConfig.cmake ${CMAKE_BINARY_DIR}/OstrelConfigVersion.cmake
  DESTINATION ${OSTREL_INSTALL_CMAKEDIR})

file(RELATIVE_PATH OSTREL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/ostrel.pc.in ${CMAKE_BINARY_DIR}/ostrel.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/ostrel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(CPACK_PACKAGE_NAME ostrel)
set(CPACK_PACKAGE_VENDOR "Ostrel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Contact card view and letter index bar for C++ and Qt 6")
set(CPACK_PACKAGE_CONTACT "Ostrel developers <ostrel@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The static libraries leave Qt and ICU to the program that links them: it needs their
# development files.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4), libicu-dev")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
